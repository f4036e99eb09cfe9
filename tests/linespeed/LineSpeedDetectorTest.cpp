#include "LineSpeedDetector.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "serial/PosixDeviceFactory.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kSentences =
    "$GPGGA,083000.00,,,,,0,00,,,M,,M,,*43\r\n$GPGSA,A,1,,,,,,,,,,,,,,,*1E\r\n";

struct DetectCase {
    const char* name;
    const char* sends;    // what the far end repeats; nullptr for a missing device
    int stopAfterTrials;  // a stop request after this many speeds were tried; 0 for none
    LineSpeedDetector::Outcome outcome;
    int trials;  // speeds tried
};

class LineSpeedDetectorTest : public testing::TestWithParam<DetectCase> {};

TEST_P(LineSpeedDetectorTest, TriesTheSpeedsInTurn) {
    const DetectCase& c = GetParam();
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    std::atomic<bool> done{false};
    std::jthread far([&] {
        while (!done && c.sends != nullptr && *c.sends != '\0') {
            write(master, c.sends, std::strlen(c.sends));
            std::this_thread::sleep_for(20ms);  // a receiver's pace, not a wait for an event
        }
    });
    PosixDeviceFactory factory;
    std::vector<std::int32_t> tried;
    const std::int32_t listed[] = {2400, 9600};
    const LineSpeedDetector::Result result =
        LineSpeedDetector(factory, 150ms)
            .Detect(
                c.sends == nullptr ? "/nonexistent/tty" : name, 9600, listed,
                [&](std::int32_t rate) { tried.push_back(rate); },
                [&] {
                    return c.stopAfterTrials > 0 &&
                           static_cast<int>(tried.size()) >= c.stopAfterTrials;
                });
    done = true;
    far.join();
    close(master);
    close(slave);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.baudRate, c.outcome == LineSpeedDetector::Outcome::Found ? 9600 : 0);
    const std::vector<std::int32_t> order{9600, 4800, 19200, 38400, 57600, 115200, 230400, 2400};
    EXPECT_EQ(tried, std::vector<std::int32_t>(order.begin(), order.begin() + c.trials));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineSpeedDetectorTest,
    testing::Values(DetectCase{"Sentences", kSentences, 0, LineSpeedDetector::Outcome::Found, 1},
                    DetectCase{"Silence", "", 0, LineSpeedDetector::Outcome::NotFound, 8},
                    DetectCase{"Garbage", "\x13$GPGGA,1*00\r\n\xfe", 0,
                               LineSpeedDetector::Outcome::NotFound, 8},
                    DetectCase{"Stopped", "", 3, LineSpeedDetector::Outcome::Cancelled, 3},
                    DetectCase{"Missing", nullptr, 0, LineSpeedDetector::Outcome::CannotOpen, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
