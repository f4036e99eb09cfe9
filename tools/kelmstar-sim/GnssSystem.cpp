#include "GnssSystem.h"

namespace kelmsim {

namespace {

struct SystemNames {
    const char* name;
    const char* talker;
    int systemId;
    int signalId;
    int secondSignalId;
};

constexpr SystemNames kSystems[kGnssSystemCount] = {
    {"gps", "GP", 1, 1, 6},
    {"glonass", "GL", 2, 1, 3},
    {"galileo", "GA", 3, 7, 2},
    {"beidou", "GB", 4, 1, 0xB},
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

int nmeaSignalId(GnssSystem system, int signal) {
    return signal == 0 ? namesOf(system).signalId : namesOf(system).secondSignalId;
}

}  // namespace kelmsim
