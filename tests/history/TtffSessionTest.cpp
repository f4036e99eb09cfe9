// The time-to-first-fix state machine, on a fake clock with made-up sentences.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "TtffSession.h"

namespace {

// The body framed as the receiver expects it: checksum in lowercase hex, CR LF, five times.
std::string FiveCopies(const std::string& body) {
    unsigned sum = 0;
    for (std::size_t i = 1; i + 1 < body.size(); ++i) {
        sum ^= static_cast<unsigned char>(body[i]);
    }
    char frame[256];
    std::snprintf(frame, sizeof frame, "%s%02x\r\n", body.c_str(), sum);
    return std::string(frame) + frame + frame + frame + frame;
}

const char* const kNoFix = "GPGGA,120000,,,,,0,00,,,M,,M,,";
const char* const kGgaFix = "GNGGA,120001,2407.4,N,12125.9,E,1,07,1.2,50.0,M,,M,,";
const char* const kRmcFix = "GNRMC,120001,A,2407.4,N,12125.9,E,0.0,0.0,020190,,";

struct Step {
    double time;
    const char* sentence;  // nullptr: a tick only
};

struct SessionCase {
    const char* name;
    int runs;
    std::vector<Step> steps;
    std::vector<double> sendTimes;
    std::vector<TtffRun> expected;
    TtffSession::Phase phase;
};

class TtffSessionTest : public testing::TestWithParam<SessionCase> {};

TEST_P(TtffSessionTest, RecordsEachRun) {
    const SessionCase& c = GetParam();
    double now = 0.0;
    std::vector<double> sendTimes;
    std::string sent;
    TtffSession session(
        {RestartMode::Warm, c.runs, 10.0, 2.0}, InitSettings{},
        [&](std::string_view bytes) {
            sendTimes.push_back(now);
            sent = bytes;
        },
        [] { return CalendarTime{1990, 1, 2, 12, 0, 0}; });
    ASSERT_TRUE(session.Start(now));
    EXPECT_EQ(sent, FiveCopies("$PQKL104,24.1233321,121.43323,0,75000,216000,521,12,2*"));
    for (const Step& step : c.steps) {
        now = step.time;
        if (step.sentence != nullptr) {
            session.OnSentence(now, step.sentence);
        } else {
            session.Tick(now);
        }
    }
    EXPECT_EQ(sendTimes, c.sendTimes);
    EXPECT_EQ(session.CurrentPhase(), c.phase);
    ASSERT_EQ(session.Runs().size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        const TtffRun& got = session.Runs()[i];
        EXPECT_EQ(got.number, c.expected[i].number);
        EXPECT_EQ(got.mode, RestartMode::Warm);
        EXPECT_EQ(got.seconds, c.expected[i].seconds) << "run " << i + 1;
        EXPECT_EQ(got.used, c.expected[i].used) << "run " << i + 1;
        EXPECT_EQ(got.hdop, c.expected[i].hdop) << "run " << i + 1;
    }
}

using P = TtffSession::Phase;
const RestartMode W = RestartMode::Warm;
INSTANTIATE_TEST_SUITE_P(
    Runs, TtffSessionTest,
    testing::Values(SessionCase{"FixThenTimeout",
                                2,
                                {{1, kNoFix},
                                 {8.5, kGgaFix},
                                 {10.4, nullptr},
                                 {10.5, nullptr},
                                 {20.4, kNoFix},
                                 {20.5, kGgaFix}},
                                {0, 10.5},
                                {{1, W, 8.5, 7, 1.2},
                                 {2, W, std::nullopt, std::nullopt, std::nullopt}},
                                P::Finished},
                    SessionCase{"RmcThenItsGga",
                                1,
                                {{3, kRmcFix}, {3.2, kNoFix}, {3.3, kGgaFix}},
                                {0},
                                {{1, W, 3.0, 7, 1.2}},
                                P::Finished},
                    SessionCase{"RmcWithoutGga",
                                2,
                                {{3, kRmcFix}, {4.4, kNoFix}, {4.5, nullptr}},
                                {0},
                                {{1, W, 3.0, std::nullopt, std::nullopt}},
                                P::Pausing},
                    // The sentence that ends the pause came before the restart it triggers.
                    SessionCase{"NoFixFromBeforeTheRestart",
                                2,
                                {{1, kGgaFix}, {3, kGgaFix}, {3.5, kNoFix}},
                                {0, 3},
                                {{1, W, 1.0, 7, 1.2}},
                                P::WaitingForFix},
                    SessionCase{"DamagedOrOtherSentences",
                                1,
                                {{1, "GPGGA,120001,2407.4,N,12125.9,E,1,07,1.2,50.0,M,,M,,*00"},
                                 {2, "GPRMC,120001,V,,,,,,,020190,,"},
                                 {3, "GPGSA,A,3,01,02,03,,,,,,,,,,2.0,1.2,1.5"}},
                                {0},
                                {},
                                P::WaitingForFix}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TtffSummaryTest, SumsUpTheRunsWithAFix) {
    const std::vector<TtffRun> runs = {{1, W, 6.0, 5, 1.0},
                                       {2, W, std::nullopt, std::nullopt, std::nullopt},
                                       {3, W, 2.0, 9, 0.85},
                                       {4, W, 100.0, 4, 3.0},
                                       {5, W, 4.0, 6, 1.5}};
    const TtffSummary summary = SummarizeRuns(W, runs);
    EXPECT_EQ(summary.runs, 5);
    EXPECT_EQ(summary.fixed, 4);
    EXPECT_EQ(summary.min, 2.0);
    EXPECT_EQ(summary.median, 5.0);
    EXPECT_EQ(summary.mean, 28.0);
    EXPECT_EQ(summary.max, 100.0);
    EXPECT_FALSE(SummarizeRuns(W, {runs[1]}).median);

    std::ostringstream csv;
    ASSERT_TRUE(WriteTtffCsv({runs[1], runs[2]}, csv));
    EXPECT_EQ(csv.str(), "run,mode,seconds,used,hdop\n2,warm,,,\n3,warm,2.000,9,0.85\n");
}

TEST(TtffSummaryTest, RefusesSettingsTheDialogWouldRefuse) {
    InitSettings settings;
    settings.lat = "24,5";
    bool sent = false;
    TtffSession session({}, settings, [&](std::string_view) { sent = true; });
    EXPECT_FALSE(session.Start(0.0));
    EXPECT_FALSE(sent);
    EXPECT_EQ(session.Error(), "'24,5' is not a valid floating point value");
    EXPECT_EQ(session.CurrentPhase(), P::Finished);
}

}  // namespace
