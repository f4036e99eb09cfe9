#pragma once

#include <cstdint>

// A stretch of the data's own time in whole seconds, both ends included; empty when `last`
// is before `first`.
struct TimeWindow {
    std::int64_t first = 0;
    std::int64_t last = -1;

    bool Empty() const { return last < first; }
    std::int64_t Seconds() const { return Empty() ? 0 : last - first + 1; }
    bool Contains(std::int64_t second) const { return second >= first && second <= last; }
};
