#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TimeWindow.h"

// A mark on a time axis: a second of the data's continuous time and its time of day, UTC
// ("14:30", or "14:30:15" where the marks are less than a minute apart).
struct TimeTick {
    std::int64_t second = 0;
    std::string label;
};

// A second's time of day, UTC: "14:30:15".
std::string TimeOfDay(std::int64_t second);

// Marks at round times of day (every 10 s, 1 min, 15 min, 3 h ...) inside `window`, the
// closest that leave at most `most` marks.
std::vector<TimeTick> TimeTicks(TimeWindow window, int most);
