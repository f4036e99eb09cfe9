#include "TimeTicks.h"

#include <cstdio>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                   600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

std::string Label(std::int64_t second, bool withSeconds) {
    const std::int64_t ofDay = second - FloorDiv(second, kSecondsPerDay) * kSecondsPerDay;
    char text[16];
    if (withSeconds) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(ofDay / 3600), int(ofDay / 60 % 60),
                      int(ofDay % 60));
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", int(ofDay / 3600), int(ofDay / 60 % 60));
    }
    return text;
}

}  // namespace

std::string TimeOfDay(std::int64_t second) {
    return Label(second, true);
}

std::vector<TimeTick> TimeTicks(TimeWindow window, int most) {
    std::vector<TimeTick> ticks;
    if (window.Empty() || most < 1) {
        return ticks;
    }
    std::int64_t step = kSteps[std::size(kSteps) - 1];
    for (const std::int64_t candidate : kSteps) {
        if (window.Seconds() / candidate <= most) {
            step = candidate;
            break;
        }
    }
    for (std::int64_t second = FloorDiv(window.first + step - 1, step) * step;
         second <= window.last && static_cast<int>(ticks.size()) < most; second += step) {
        ticks.push_back({second, Label(second, step % 60 != 0)});
    }
    return ticks;
}
