#include "GpsTime.h"

#include <array>
#include <limits>
#include <string>

#include "CommandError.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerWeek = 604800;

// Days before month m (1..12) of a common year.
constexpr std::array<std::int64_t, 12> kCumulativeDays{0,   31,  59,  90,  120, 151,
                                                       181, 212, 243, 273, 304, 334};

// Days since 6 January 1980. C++ division truncates toward zero, as the receiver's
// week count expects for dates before 1980 too.
std::int64_t DaysSinceGpsEpoch(const CalendarTime& time) {
    const std::int64_t y = std::int64_t{time.year} - 1980;
    std::int64_t leapdays = y / 4 + 1;
    if (y % 4 == 0 && time.month <= 2) {
        --leapdays;  // this year's leap day is still to come
    }
    return 365 * y + kCumulativeDays[time.month - 1] + time.date + leapdays - 6;
}

}  // namespace

GpsTime CalendarToGpsTime(const CalendarTime& time) {
    if (time.month < 1 || time.month > 12) {
        throw CommandError("Month " + std::to_string(time.month) + " is not in the range 1 to 12");
    }
    const std::int64_t days = DaysSinceGpsEpoch(time);
    std::int64_t week = days / 7;
    // Exact integer seconds: the sums stay far inside 64 bits for any 32-bit inputs.
    std::int64_t seconds = (days % 7) * kSecondsPerDay + std::int64_t{time.hour} * 3600 +
                           std::int64_t{time.minute} * 60 + time.second;
    if (seconds < 0) {
        const std::int64_t borrow = (-seconds + kSecondsPerWeek - 1) / kSecondsPerWeek;
        week -= borrow;
        seconds += borrow * kSecondsPerWeek;
    }
    week += seconds / kSecondsPerWeek;
    seconds %= kSecondsPerWeek;
    if (week < std::numeric_limits<std::int32_t>::min() ||
        week > std::numeric_limits<std::int32_t>::max()) {
        throw CommandError("The date " + std::to_string(time.year) + "-" +
                           std::to_string(time.month) + "-" + std::to_string(time.date) +
                           " is too far from 1980 for a GPS week number");
    }
    return GpsTime{static_cast<std::int32_t>(week), static_cast<float>(seconds)};
}
