#include <gtest/gtest.h>

#include "serial/ReadTiming.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

constexpr std::int32_t kMax = -1;  // the largest unsigned value, as the properties hold it
const Clock::time_point kStart = Clock::time_point() + std::chrono::hours(1);
const Clock::time_point kLastByte = kStart + Ms(30);

struct TimingCase {
    const char* what;
    CommTimeouts timeouts;
    std::size_t count;             // bytes in; the last arrived at kLastByte
    std::optional<Ms> afterStart;  // expected deadline after kStart; nullopt: no limit
};

class ReadTimingTest : public testing::TestWithParam<TimingCase> {};

TEST_P(ReadTimingTest, Deadline) {
    const TimingCase& c = GetParam();
    ReadProgress progress{kStart, std::nullopt, c.count, 2048};
    if (c.count > 0) {
        progress.lastByte = kLastByte;
    }
    const auto deadline = ReadDeadline(c.timeouts, progress);
    ASSERT_EQ(deadline.has_value(), c.afterStart.has_value()) << c.what;
    if (deadline) {
        EXPECT_EQ(*deadline - kStart, *c.afterStart) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Timeouts, ReadTimingTest,
    testing::Values(
        TimingCase{"defaults wait for a first byte", {}, 0, std::nullopt},
        TimingCase{"defaults: 100 ms after the last byte", {}, 5, Ms(130)},
        TimingCase{"no timeouts: only a full buffer completes", {0, 0, 0, 0, 0}, 5, std::nullopt},
        TimingCase{"total constant without bytes", {0, 0, 500, 0, 0}, 0, Ms(500)},
        TimingCase{"total scales with the buffer size", {0, 2, 10, 0, 0}, 0, Ms(4106)},
        TimingCase{"interval earlier than total", {100, 0, 1000, 0, 0}, 5, Ms(130)},
        TimingCase{"total earlier than interval", {100, 0, 50, 0, 0}, 5, Ms(50)},
        TimingCase{"return at once with bytes", {kMax, 0, 0, 0, 0}, 1, Ms(0)},
        TimingCase{"return at once waits for a byte", {kMax, 0, 0, 0, 0}, 0, std::nullopt},
        TimingCase{"first byte or constant, empty", {kMax, kMax, 250, 0, 0}, 0, Ms(250)},
        TimingCase{"first byte or constant, with bytes", {kMax, kMax, 250, 0, 0}, 3, Ms(0)},
        TimingCase{"write timeouts do not limit reads", {0, 0, 0, 7, 9}, 5, std::nullopt}));

TEST(ReadTimingLimits, HugeTotalsStayInTheFuture) {
    const ReadProgress progress{kStart, std::nullopt, 0, 2048};
    const auto deadline = ReadDeadline({0, kMax, 0x7ffffff0, 0, 0}, progress);
    ASSERT_TRUE(deadline.has_value());
    EXPECT_GT(*deadline - kStart, std::chrono::hours(24 * 365));
}

}  // namespace
