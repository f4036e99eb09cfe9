#include "SatelliteNumbering.h"

#include <span>

namespace {

using Scheme = SatelliteNumbering::Scheme;

// Numbers first..last mean `system`'s satellite number - offset.
struct Range {
    int first;
    int last;
    GnssSystem system;
    int offset;
};

// GP and GN: every range NMEA or a common receiver gives these talkers.
constexpr Range kMixed[] = {
    {1, 32, GnssSystem::Gps, 0},
    {33, 64, GnssSystem::Sbas, -87},    // NMEA numbers SBAS 120-151 as 33-64
    {65, 96, GnssSystem::Glonass, 64},  // NMEA numbers GLONASS slots 1-32 as 65-96
    {120, 158, GnssSystem::Sbas, 0},    // SiRF and MediaTek write the SBAS PRN itself
    {193, 202, GnssSystem::Qzss, 192},  // u-blox writes the QZSS PRN 193-202
    {203, 263, GnssSystem::BeiDou,
     200},  // MediaTek writes BeiDou as 200 + number; 201-202 stay QZSS
    {301, 336, GnssSystem::Galileo, 300},  // u-blox's extended numbering before NMEA 4.10
    {401, 463, GnssSystem::BeiDou, 400},   // u-blox's extended numbering before NMEA 4.10
};

constexpr Range kGlonass[] = {
    {65, 96, GnssSystem::Glonass, 64},
    {1, 32, GnssSystem::Glonass, 0},  // some receivers write the slot itself under GL
};

constexpr Range kGalileo[] = {
    {1, 36, GnssSystem::Galileo, 0},
    {301, 336, GnssSystem::Galileo, 300},  // the u-blox extended numbers under GA
};

constexpr Range kBeiDou[] = {
    {1, 63, GnssSystem::BeiDou, 0},
    {201, 263, GnssSystem::BeiDou, 200},  // MediaTek's numbers; no QZSS under GB or BD
    {401, 463, GnssSystem::BeiDou, 400},  // the u-blox extended numbers under GB
};

constexpr Range kQzss[] = {
    {1, 10, GnssSystem::Qzss, 0},
    {193, 202, GnssSystem::Qzss, 192},  // u-blox writes the PRN under GQ too
};

constexpr Range kNavIC[] = {
    {1, 14, GnssSystem::NavIC, 0},
};

std::span<const Range> RangesOf(Scheme scheme) {
    switch (scheme) {
        case Scheme::Mixed:
            return kMixed;
        case Scheme::Glonass:
            return kGlonass;
        case Scheme::Galileo:
            return kGalileo;
        case Scheme::BeiDou:
            return kBeiDou;
        case Scheme::Qzss:
            return kQzss;
        case Scheme::NavIC:
            return kNavIC;
    }
    return {};
}

}  // namespace

SatelliteNumbering::Scheme SatelliteNumbering::ForTalker(Talker talker) {
    switch (talker) {
        case Talker::GL:
            return Scheme::Glonass;
        case Talker::GA:
            return Scheme::Galileo;
        case Talker::GB:
        case Talker::BD:
            return Scheme::BeiDou;
        case Talker::GQ:
            return Scheme::Qzss;
        case Talker::GI:
            return Scheme::NavIC;
        case Talker::GP:
        case Talker::GN:
            break;
    }
    return Scheme::Mixed;
}

std::optional<SatelliteNumbering::Scheme> SatelliteNumbering::ForSystemId(int systemId) {
    switch (systemId) {
        case 1:
            return Scheme::Mixed;  // the GPS ID carries SBAS too, and u-blox's QZSS PRNs
        case 2:
            return Scheme::Glonass;
        case 3:
            return Scheme::Galileo;
        case 4:
            return Scheme::BeiDou;
        case 5:
            return Scheme::Qzss;
        case 6:
            return Scheme::NavIC;
        default:
            return std::nullopt;
    }
}

std::optional<SatelliteId> SatelliteNumbering::Identify(Scheme scheme, int nmea) {
    for (const Range& range : RangesOf(scheme)) {
        if (nmea >= range.first && nmea <= range.last) {
            return SatelliteId{range.system, nmea - range.offset};
        }
    }
    return std::nullopt;
}
