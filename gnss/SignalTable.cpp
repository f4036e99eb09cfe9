#include "SignalTable.h"

#include <array>

namespace {

using Names = std::array<const char*, 16>;

// NMEA 4.11 signal IDs per system; SBAS sends on the GPS frequencies and uses the GPS IDs.
constexpr Names kGps = {"all",   "L1 C/A", "L1 P(Y)", "L1 M", "L2 P(Y)",
                        "L2 CM", "L2 CL",  "L5 I",    "L5 Q"};
constexpr Names kGlonass = {"all", "L1 OF", "L1 SF", "L2 OF", "L2 SF"};
constexpr Names kGalileo = {"all", "E5a", "E5b", "E5a+b", "E6 A", "E6 B/C", "E1 A", "E1 B/C"};
// u-blox firmware before NMEA 4.11 writes 3 for B2I; the 4.11 table, read here, says B1C.
constexpr Names kBeiDou = {"all",   "B1I", "B1Q", "B1C", "B1A", "B2a", "B2b",
                           "B2a+b", "B3I", "B3Q", "B3A", "B2I", "B2Q"};
constexpr Names kQzss = {"all",   "L1 C/A", "L1C D", "L1C P", "L1 S", "L2 CM",
                         "L2 CL", "L5 I",   "L5 Q",  "L6 D",  "L6 E"};
constexpr Names kNavIC = {"all", "L5 SPS", "S SPS", "L5 RS", "S RS", "L1 SPS"};

constexpr Names kReserved = {"signal 0", "signal 1", "signal 2", "signal 3", "signal 4", "signal 5",
                             "signal 6", "signal 7", "signal 8", "signal 9", "signal A", "signal B",
                             "signal C", "signal D", "signal E", "signal F"};

const Names& NamesOf(GnssSystem system) {
    switch (system) {
        case GnssSystem::Gps:
        case GnssSystem::Sbas:
            return kGps;
        case GnssSystem::Glonass:
            return kGlonass;
        case GnssSystem::Galileo:
            return kGalileo;
        case GnssSystem::BeiDou:
            return kBeiDou;
        case GnssSystem::Qzss:
            return kQzss;
        case GnssSystem::NavIC:
            return kNavIC;
    }
    return kReserved;
}

}  // namespace

const char* SignalName(GnssSystem system, int signalId) {
    if (signalId < 0 || signalId > 15) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(signalId);
    const char* name = NamesOf(system)[index];
    return name != nullptr ? name : kReserved[index];
}
