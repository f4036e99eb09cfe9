#pragma once

#include <cstdint>

// Read and write time limits in milliseconds, with TComm's defaults. A negative value stands
// for the largest unsigned one (the "return at once" marker of the interval timeout).
struct CommTimeouts {
    std::int32_t readIntervalTimeout = 100;
    std::int32_t readTotalTimeoutMultiplier = 0;
    std::int32_t readTotalTimeoutConstant = 0;
    std::int32_t writeTotalTimeoutMultiplier = 0;
    std::int32_t writeTotalTimeoutConstant = 0;

    bool operator==(const CommTimeouts&) const = default;
};
