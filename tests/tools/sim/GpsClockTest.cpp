#include "GpsClock.h"

#include <gtest/gtest.h>

using namespace kelmsim;

namespace {

struct WeekCase {
    UtcTime utc;
    int week;
    double timeOfWeek;
};

// The same calendar-to-GPS-time pairs that the control program's own conversion gives.
TEST(GpsClock, CalendarToWeekAndTimeOfWeek) {
    const WeekCase cases[] = {
        {{1980, 1, 6, 0, 0, 0, 0}, 0, 0.0},         {{1980, 1, 5, 23, 59, 59, 0}, -1, 604799.0},
        {{1990, 1, 2, 12, 0, 0, 0}, 521, 216000.0}, {{2000, 2, 29, 0, 0, 0, 0}, 1051, 172800.0},
        {{2000, 3, 1, 0, 0, 0, 0}, 1051, 259200.0}, {{1999, 8, 22, 0, 0, 0, 0}, 1024, 0.0},
    };
    for (const auto& c : cases) {
        const GpsClock clock = GpsClock::fromUtc(c.utc);
        EXPECT_EQ(clock.week(), c.week) << c.utc.year << "-" << c.utc.month << "-" << c.utc.day;
        EXPECT_DOUBLE_EQ(clock.timeOfWeek(), c.timeOfWeek);
    }
}

TEST(GpsClock, WeekAndTimeOfWeekBackToCalendar) {
    const UtcTime t = GpsClock::fromWeek(1051, 172800.0 + 3723.5).utc();
    EXPECT_EQ(t.year, 2000);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 1);
    EXPECT_EQ(t.minute, 2);
    EXPECT_EQ(t.second, 3);
    EXPECT_EQ(t.millisecond, 500);
}

TEST(GpsClock, UnixTimeMapsOntoTheSameCalendar) {
    // 2026-12-08 00:05:36 UTC
    const UtcTime t = GpsClock::fromUnixMillis(1796688336000LL).utc();
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 8);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 5);
    EXPECT_EQ(t.second, 36);
}

TEST(GpsClock, ParsesStartTimes) {
    const auto clock = GpsClock::parse("2024-02-29T23:59:58");
    ASSERT_TRUE(clock);
    const UtcTime t = clock->utc();
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.second, 58);
    EXPECT_TRUE(GpsClock::parse("2024-02-29 23:59:58"));

    const char* bad[] = {"",
                         "2023-02-29T00:00:00",
                         "2024-13-01T00:00:00",
                         "2024-01-01T24:00:00",
                         "1979-12-31T00:00:00",
                         "2024-01-01T00:00",
                         "2024-01-01X00:00:00",
                         "2024-01-01T00:00:00Z",
                         "abcd-ef-ghTij:kl:mn"};
    for (const char* text : bad) {
        EXPECT_FALSE(GpsClock::parse(text)) << text;
    }
}

}  // namespace
