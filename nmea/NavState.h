#pragma once

#include <array>
#include <cstdint>

#include "SatInView.h"

// The decoded navigation record. Each sentence overwrites the fields it supplies;
// every other field keeps its value.
struct NavState {
    static constexpr int kChannels = 12;

    std::int32_t utcHour = 0;
    std::int32_t utcMinute = 0;
    float utcSecond = 0.0f;
    float latitude = 0.0f;  // degrees, never negative: the hemisphere is the letter
    char latHemisphere = '\0';
    float longitude = 0.0f;  // degrees, never negative
    char lonHemisphere = '\0';
    float speedKnots = 0.0f;
    float courseDeg = 0.0f;
    std::int32_t ggaQuality = 0;  // 2 means differential
    float altitude = 0.0f;        // metres
    float pdop = 0.0f;
    float hdop = 0.0f;  // from whichever of GSA and GGA came last
    float vdop = 0.0f;
    std::int32_t fixMode = 1;  // 1 no fix, 2 two-dimensional, 3 three-dimensional
    std::int32_t fixAvailable = 0;
    std::int32_t satsInView = 0;
    std::int32_t gsvMessageCount = 0;
    std::int32_t gsvMessageNumber = 0;
    std::array<SatInView, kChannels> sats{};  // channel k (1..12) is slot k-1
};
