#include "GnssSystem.h"

namespace {

struct SystemInfo {
    const char* name;
    SvidRange range;
};

constexpr SystemInfo kSystems[kGnssSystemCount] = {
    {"GPS", {1, 32}},    {"SBAS", {120, 158}}, {"GLONASS", {1, 32}}, {"Galileo", {1, 36}},
    {"BeiDou", {1, 63}}, {"QZSS", {1, 10}},    {"NavIC", {1, 14}},
};

}  // namespace

const char* GnssSystemName(GnssSystem system) {
    return kSystems[static_cast<std::size_t>(system)].name;
}

SvidRange SvidRangeOf(GnssSystem system) {
    return kSystems[static_cast<std::size_t>(system)].range;
}

int ListNumber(SatelliteId id) {
    switch (id.system) {
        case GnssSystem::Gps:
        case GnssSystem::Sbas:
            return id.svid;
        case GnssSystem::Glonass:
            return 64 + id.svid;
        case GnssSystem::Qzss:
            return 192 + id.svid;
        case GnssSystem::Galileo:
            return 300 + id.svid;
        case GnssSystem::BeiDou:
            return 400 + id.svid;
        case GnssSystem::NavIC:
            return 500 + id.svid;
    }
    return id.svid;
}
