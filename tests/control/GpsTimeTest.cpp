#include <gtest/gtest.h>

#include "CommandError.h"
#include "GpsTime.h"

namespace {

struct GpsTimeCase {
    CalendarTime time;
    std::int32_t week;
    float timeOfWeek;
};

class CalendarToGpsTimeTest : public testing::TestWithParam<GpsTimeCase> {};

TEST_P(CalendarToGpsTimeTest, GivesWeekAndTimeOfWeek) {
    const GpsTimeCase& c = GetParam();
    const GpsTime gps = CalendarToGpsTime(c.time);
    EXPECT_EQ(gps.week, c.week);
    EXPECT_EQ(gps.timeOfWeek, c.timeOfWeek);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CalendarToGpsTimeTest,
    testing::Values(GpsTimeCase{{1980, 1, 6, 0, 0, 0}, 0, 0.0f},           // the first GPS second
                    GpsTimeCase{{1980, 1, 5, 23, 59, 59}, -1, 604799.0f},  // negative remainder
                    GpsTimeCase{{1990, 1, 2, 12, 0, 0}, 521, 216000.0f},  // the dialog's own values
                    GpsTimeCase{{2000, 2, 29, 0, 0, 0}, 1051, 172800.0f},  // leap day
                    GpsTimeCase{{2000, 3, 1, 0, 0, 0}, 1051, 259200.0f},   // the day after it
                    GpsTimeCase{{1999, 8, 22, 0, 0, 0}, 1024, 0.0f},       // no 1024-week rollover
                    GpsTimeCase{{1981, 1, 1, 0, 0, 0}, 51, 345600.0f},  // after the first leap year
                    GpsTimeCase{{2024, 12, 31, 23, 59, 59}, 2347, 259199.0f},
                    GpsTimeCase{{1980, 1, 6, 0, 0, 604800}, 1, 0.0f},  // seconds carry whole weeks
                    GpsTimeCase{{1980, 1, 13, -1, 0, 0}, 0, 601200.0f},  // so does a negative hour
                    GpsTimeCase{{1980, 1, 6, 0, 0, -1209601}, -3, 604799.0f}));

TEST(CalendarToGpsTimeTest, RefusesAMonthOutside1To12) {
    for (const std::int32_t month : {0, 13, -1}) {
        try {
            CalendarToGpsTime({1990, month, 2, 12, 0, 0});
            ADD_FAILURE() << "month " << month << " was accepted";
        } catch (const CommandError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Month " + std::to_string(month) + " is not in the range 1 to 12");
        }
    }
}

TEST(CalendarToGpsTimeTest, RefusesAWeekBeyond32Bits) {
    EXPECT_THROW(CalendarToGpsTime({2147483647, 12, 31, 0, 0, 0}), CommandError);
    // The largest time fields still give an exact result, without overflow.
    const GpsTime far = CalendarToGpsTime({1990, 1, 2, 2147483647, 2147483647, 2147483647});
    EXPECT_EQ(far.week, 12999756);
    EXPECT_EQ(far.timeOfWeek, 476467.0f);
}

}  // namespace
