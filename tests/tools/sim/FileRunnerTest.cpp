#include "FileRunner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "SentenceChecks.h"

using namespace kelmsim;

namespace {

ReceiverSettings settings(int rateHz) {
    ReceiverSettings s;
    s.startTime = *GpsClock::parse("2026-01-02T03:04:05");
    s.rateHz = rateHz;
    return s;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

TEST(FileRunner, WritesOneGroupPerPeriodForTheDuration) {
    for (int rate : {1, 2, 10}) {
        ReceiverModel model(settings(rate));
        NoiseInjector noise(0.0, 0.0, 1);
        std::ostringstream out;
        const std::size_t written = FileRunner(model, noise).run(out, 10.0);
        const auto lines = linesOf(out.str());
        EXPECT_EQ(lines.size(), written);
        int gga = 0;
        for (const auto& line : lines) {
            EXPECT_TRUE(simtest::isValidSentence(line));
            gga += line.rfind("$GPGGA,", 0) == 0;
        }
        EXPECT_EQ(gga, 10 * rate) << rate << " Hz";
        EXPECT_EQ(lines.front().substr(0, 17), "$GPGGA,030405.00,");
    }
}

TEST(FileRunner, SameSettingsGiveTheSameLog) {
    std::string logs[2];
    for (auto& log : logs) {
        ReceiverModel model(settings(1));
        NoiseInjector noise(0.01, 0.05, 1);
        std::ostringstream out;
        FileRunner(model, noise).run(out, 30.0);
        log = out.str();
    }
    EXPECT_EQ(logs[0], logs[1]);
    EXPECT_FALSE(logs[0].empty());
}

}  // namespace
