#include "NmeaFormat.h"

namespace kelmsim {

namespace {

constexpr const char* kVersionNames[] = {"4.00", "4.10", "4.11"};

}  // namespace

const char* nmeaVersionName(NmeaVersion version) {
    return kVersionNames[static_cast<int>(version)];
}

std::optional<NmeaVersion> nmeaVersionNamed(std::string_view name) {
    for (int i = 0; i < 3; ++i) {
        if (name == kVersionNames[i]) {
            return static_cast<NmeaVersion>(i);
        }
    }
    return std::nullopt;
}

bool NmeaFormat::gpsOnly() const {
    return systems.size() == 1 && systems.front() == GnssSystem::Gps;
}

const char* NmeaFormat::talker() const {
    return systems.size() == 1 ? systemTalker(systems.front()) : "GN";
}

bool NmeaFormat::gsaSystemId() const {
    return !gpsOnly() && version == NmeaVersion::V411;
}

const char* NmeaFormat::gsaTalker(GnssSystem system) const {
    return gsaSystemId() ? talker() : systemTalker(system);
}

bool NmeaFormat::gsvSignalId() const {
    return !gpsOnly() && version != NmeaVersion::V400;
}

bool NmeaFormat::rmcNavigationalStatus() const {
    return gsvSignalId();
}

}  // namespace kelmsim
