#include "GnssSystem.h"

namespace kelmsim {

namespace {

struct SystemNames {
    const char* name;
    const char* talker;
    int systemId;
    int signalId;
};

constexpr SystemNames kSystems[kGnssSystemCount] = {
    {"gps", "GP", 1, 1},
    {"glonass", "GL", 2, 1},
    {"galileo", "GA", 3, 7},
    {"beidou", "GB", 4, 1},
};

const SystemNames& namesOf(GnssSystem system) {
    return kSystems[static_cast<int>(system)];
}

}  // namespace

const char* systemName(GnssSystem system) {
    return namesOf(system).name;
}

std::optional<GnssSystem> systemNamed(std::string_view name) {
    for (int i = 0; i < kGnssSystemCount; ++i) {
        if (name == kSystems[i].name) {
            return static_cast<GnssSystem>(i);
        }
    }
    return std::nullopt;
}

const char* systemTalker(GnssSystem system) {
    return namesOf(system).talker;
}

int nmeaSystemId(GnssSystem system) {
    return namesOf(system).systemId;
}

int nmeaSignalId(GnssSystem system) {
    return namesOf(system).signalId;
}

}  // namespace kelmsim
