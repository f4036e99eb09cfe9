#pragma once

#include <compare>
#include <cstddef>

// The satellite systems a receiver reports, in the order summaries list them.
enum class GnssSystem { Gps, Sbas, Glonass, Galileo, BeiDou, Qzss, NavIC };

inline constexpr std::size_t kGnssSystemCount = 7;

// "GPS", "SBAS", "GLONASS", "Galileo", "BeiDou", "QZSS", "NavIC".
const char* GnssSystemName(GnssSystem system);

// The numbers a satellite of `system` has within it, e.g. GPS 1-32 and SBAS 120-158.
struct SvidRange {
    int first;
    int last;
};
SvidRange SvidRangeOf(GnssSystem system);

// A satellite: its system and its number within that system.
struct SatelliteId {
    GnssSystem system;
    int svid;

    friend bool operator==(const SatelliteId&, const SatelliteId&) = default;
    friend auto operator<=>(const SatelliteId&, const SatelliteId&) = default;
};

// One number for any satellite of any system, where a list shows numbers alone: GPS 1-32 and
// SBAS 120-158 as they are, GLONASS 65-96, QZSS 193-202, Galileo 301-336 and BeiDou 401-463
// as u-blox receivers number them, NavIC 501-514 after their pattern.
int ListNumber(SatelliteId id);
