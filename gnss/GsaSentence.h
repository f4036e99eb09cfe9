#pragma once

#include <array>
#include <optional>

#include "SentenceFields.h"

// What one GSA sentence says.
struct GsaReport {
    static constexpr int kMaxSatellites = 12;

    std::optional<int> fixMode;  // 1 no fix, 2 two-dimensional, 3 three-dimensional
    std::array<int, kMaxSatellites> satellites{};  // the numbers as written
    int satelliteCount = 0;
    std::optional<double> pdop;
    std::optional<double> hdop;
    std::optional<double> vdop;
    std::optional<int> systemId;  // NMEA 4.10 and later
};

GsaReport ParseGsa(const SentenceFields& fields);
