#pragma once

#include <cstdint>

// One channel slot of the satellites-in-view report.
struct SatInView {
    std::int32_t prn = 0;
    std::int32_t elevation = 0;  // degrees
    std::int32_t azimuth = 0;    // degrees
    std::uint8_t snr = 0;        // C/No in dB-Hz, low 8 bits of the received value; 0 = not tracked
};
