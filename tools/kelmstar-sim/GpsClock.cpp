#include "GpsClock.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace kelmsim {

namespace {

constexpr std::int64_t kMillisPerDay = 86400000;
// Days from 1970-01-01 to the GPS epoch 1980-01-06.
constexpr std::int64_t kGpsEpochUnixDays = 3657;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

UtcTime civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    UtcTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    return t;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

GpsClock GpsClock::fromUtc(const UtcTime& u) {
    const std::int64_t days = daysFromCivil(u.year, u.month, u.day) - kGpsEpochUnixDays;
    return GpsClock(days * kMillisPerDay + u.hour * 3600000LL + u.minute * 60000LL +
                    u.second * 1000LL + u.millisecond);
}

GpsClock GpsClock::fromUnixMillis(std::int64_t unixMillis) {
    return GpsClock(unixMillis - kGpsEpochUnixDays * kMillisPerDay);
}

GpsClock GpsClock::fromWeek(int week, double timeOfWeekSeconds) {
    return GpsClock(week * kMillisPerWeek + std::llround(timeOfWeekSeconds * 1000.0));
}

std::optional<GpsClock> GpsClock::parse(std::string_view text) {
    if (text.size() != 19) {
        return std::nullopt;
    }
    const std::string copy(text);
    UtcTime u;
    char sep = 0;
    char tail = 0;
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%c", &u.year, &u.month, &u.day, &sep,
                    &u.hour, &u.minute, &u.second, &tail) != 7 ||
        (sep != 'T' && sep != ' ')) {
        return std::nullopt;
    }
    if (u.year < 1980 || u.month < 1 || u.month > 12 || u.day < 1 ||
        u.day > daysInMonth(u.year, u.month) || u.hour > 23 || u.minute > 59 || u.second > 59 ||
        u.hour < 0 || u.minute < 0 || u.second < 0) {
        return std::nullopt;
    }
    GpsClock clock = fromUtc(u);
    if (clock.millis_ < 0) {
        return std::nullopt;
    }
    return clock;
}

int GpsClock::week() const {
    return static_cast<int>(floorDiv(millis_, kMillisPerWeek));
}

double GpsClock::timeOfWeek() const {
    return static_cast<double>(millis_ - floorDiv(millis_, kMillisPerWeek) * kMillisPerWeek) /
           1000.0;
}

UtcTime GpsClock::utc() const {
    const std::int64_t days = floorDiv(millis_, kMillisPerDay);
    std::int64_t inDay = millis_ - days * kMillisPerDay;
    UtcTime t = civilFromDays(days + kGpsEpochUnixDays);
    t.hour = static_cast<int>(inDay / 3600000);
    inDay %= 3600000;
    t.minute = static_cast<int>(inDay / 60000);
    inDay %= 60000;
    t.second = static_cast<int>(inDay / 1000);
    t.millisecond = static_cast<int>(inDay % 1000);
    return t;
}

}  // namespace kelmsim
