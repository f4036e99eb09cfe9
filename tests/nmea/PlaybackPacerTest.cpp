#include "PlaybackPacer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "PlaybackExtent.h"

namespace {

// Two seconds up to midnight, the second after it, a ten-minute break, a time that goes
// back: log times 0 0 0 1 1 2 7 7 (the break is shortened to five seconds).
const std::string kTimedLog =
    "$GPGGA,235958.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n"
    "$GPRMC,235958.00,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W*6A\r\n"
    "$GPGGA,235959.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n"
    "$GPGGA,000000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GPGGA,001000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GPRMC,000900.00,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W*6A\r\n"
    "$GPGSV,3,1,10,02,23,160,,07,12,237,,08,26,205,,10,59,060,*7C\r\n";
// Two talkers whose times are a second apart, as a multiplexer interleaves them: log times
// 0 0 1 1 2 2, never counting a second twice.
const std::string kInterleavedLog =
    "$GPGGA,100001.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GNRMC,100000.00,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W*6A\r\n"
    "$GPGGA,100002.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GNRMC,100001.00,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W*6A\r\n"
    "$GPGGA,100003.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
    "$GNRMC,100002.00,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W*6A\r\n";
// Without times: eight lines a second of log time.
const std::string kUntimedLog = "$GPGSV,1\n$GPGSV,2\n$GPGSV,3\n$GPGSV,4\n$GPGSV,5\n";

struct Step {
    double pace;  // < 0: the pace stays as it is
    double now;   // wall time, seconds
    int fed;      // lines fed so far
};

struct Case {
    const char* name;
    const std::string* log;
    std::vector<Step> steps;
};

const Case kCases[] = {
    {"RealTime",
     &kTimedLog,
     {{1, 100, 3}, {-1, 100.99, 3}, {-1, 101, 5}, {-1, 102, 6}, {-1, 106.9, 6}, {-1, 107, 9}}},
    {"Interleaved", &kInterleavedLog, {{1, 100, 2}, {-1, 100.99, 2}, {-1, 101, 4}, {-1, 102, 6}}},
    {"TenTimes", &kTimedLog, {{10, 100, 3}, {-1, 100.1, 5}, {-1, 100.2, 6}, {-1, 100.7, 9}}},
    {"SixtyTimes", &kTimedLog, {{60, 5, 3}, {-1, 5.05, 6}, {-1, 5.2, 9}}},
    {"Fastest", &kTimedLog, {{PlaybackPacer::kFastest, 0, 9}}},
    // A new pace (a resume, another speed) starts from the next line, without catching up.
    {"PaceSetAgain", &kTimedLog, {{1, 100, 3}, {1, 300, 5}, {-1, 300.5, 5}, {-1, 301, 6}}},
    {"Untimed", &kUntimedLog, {{1, 0, 1}, {-1, 0.125, 2}, {-1, 0.49, 4}, {-1, 0.5, 5}}},
    {"UntimedTenTimes", &kUntimedLog, {{10, 0, 1}, {-1, 0.05, 5}}},
};

class PlaybackPacerTest : public ::testing::TestWithParam<Case> {};

TEST_P(PlaybackPacerTest, FeedsTheLinesDueAtEachWallTime) {
    const Case& c = GetParam();
    std::FILE* file = std::tmpfile();
    std::fwrite(c.log->data(), 1, c.log->size(), file);
    std::rewind(file);
    PlaybackPacer pacer;
    int fed = 0;
    std::string text;
    for (const Step& step : c.steps) {
        if (step.pace >= 0) {
            pacer.SetPace(step.pace);
        }
        while (const PlaybackPacer::Line* line = pacer.NextDue(file, step.now)) {
            text.append(line->text, static_cast<std::size_t>(line->length)).append("\n");
            pacer.Consume();
            ++fed;
        }
        EXPECT_EQ(fed, step.fed) << "at " << step.now;
    }
    // Every line once, in order, as the four-lines-a-second feeder puts them.
    std::string expected = *c.log;
    std::erase(expected, '\r');
    EXPECT_EQ(text, expected.substr(0, text.size()));
    EXPECT_EQ(pacer.AtEnd(), text.size() == expected.size());
    std::fclose(file);
}

INSTANTIATE_TEST_SUITE_P(Speeds, PlaybackPacerTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlaybackExtent, SizeAndTheLastTimeNearTheEnd) {
    std::FILE* file = std::tmpfile();
    std::fwrite(kTimedLog.data(), 1, kTimedLog.size(), file);
    std::rewind(file);
    const PlaybackExtent extent = FindPlaybackExtent(file);
    EXPECT_EQ(extent.size, static_cast<long long>(kTimedLog.size()));
    EXPECT_TRUE(extent.timed);
    EXPECT_DOUBLE_EQ(extent.lastUtc, 9 * 60);  // the RMC before the last line
    EXPECT_EQ(std::ftell(file), 0);            // a playback reading it is not disturbed
    std::fclose(file);
}

TEST(PlaybackExtent, ProgressOfFilesOfAnySize) {
    struct Case {
        long long position, size;
        int steps;
    };
    // Positions past 2^31 / 1000 overflowed a 32-bit "position * 1000".
    for (const auto& [position, size, steps] :
         {Case{0, 100, 0}, Case{50, 100, 500}, Case{100, 100, 1000}, Case{150, 100, 1000},
          Case{-1, 100, 0}, Case{5, 0, 0}, Case{3'000'000'000LL, 6'000'000'000LL, 500},
          Case{2'200'000, 4'400'000, 500}}) {
        EXPECT_EQ(PlaybackProgress(position, size, 1000), steps) << position << " of " << size;
    }
}

}  // namespace
