#pragma once

#include <cstdint>

// Line errors and modem-line changes a device saw since it was last asked.
struct LineEvents {
    // Line-error flags as the component reports them.
    static constexpr std::int32_t kRxOver = 0x0001;
    static constexpr std::int32_t kOverrun = 0x0002;
    static constexpr std::int32_t kRxParity = 0x0004;
    static constexpr std::int32_t kFrame = 0x0008;
    static constexpr std::int32_t kBreak = 0x0010;
    // Modem codes.
    static constexpr std::int32_t kRing = 4;
    static constexpr std::int32_t kCarrier = 8;

    std::int32_t errorFlags = 0;
    std::int32_t modemCode = 0;
    int error = 0;  // errno of a failed query; the other fields are then 0
};
