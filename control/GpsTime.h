#pragma once

#include <cstdint>

// A calendar date and time as the user or the computer's clock gives it, no time zone.
struct CalendarTime {
    std::int32_t year = 0;
    std::int32_t month = 0;  // 1..12
    std::int32_t date = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
};

struct GpsTime {
    std::int32_t week = 0;    // full weeks since 6 January 1980, not reduced modulo 1024
    float timeOfWeek = 0.0f;  // seconds, 0 <= timeOfWeek < 604800
};

// Week number and time of week of `time`, with no leap-second or time-zone correction.
// Day, hour, minute and second are not range-checked: they enter the sums as they are and
// whole weeks carry over. Throws CommandError for a month outside 1..12 or a date whose
// week number does not fit 32 bits.
GpsTime CalendarToGpsTime(const CalendarTime& time);
