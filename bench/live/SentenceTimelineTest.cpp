// The matching that the live figures (lost, corrupted, delays) rest on, and the order
// statistics they are reported with.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Distribution.h"
#include "SentenceTimeline.h"

namespace {

const std::string kGga = "$GPGGA,083000.00,2407.3999,N,12125.9938,E,1,09,0.9,50.0,M,21.9,M,,*5D";
const std::string kGsa = "$GPGSA,A,3,01,03,11,18,19,26,27,29,31,,,,1.8,0.9,1.5*3D";
const std::string kGga2 = "$GPGGA,083000.10,2407.3999,N,12125.9938,E,1,09,0.9,50.0,M,21.9,M,,*5C";

std::vector<std::string> Texts(const SentenceTimeline& timeline) {
    std::vector<std::string> texts;
    for (const auto& entry : timeline.Entries()) {
        texts.push_back(entry.text);
    }
    return texts;
}

TEST(SentenceTimeline, BytesCompleteLinesAtTheTimeTheirLineFeedArrives) {
    SentenceTimeline timeline;
    const std::string stream = "xx" + kGga + "\r\n" + kGsa + "\r\n" + "$GPRMC,0835";
    timeline.AddBytes(stream.data(), 10, 100);  // stray bytes and the start of GGA
    timeline.AddBytes(stream.data() + 10, stream.size() - 10, 200);
    timeline.AddBytes("\n", 1, 300);  // a line without "$" is no sentence
    ASSERT_EQ(timeline.Entries().size(), 3u);
    EXPECT_EQ(timeline.Entries()[0].text, kGga);  // from its "$", without CR LF
    EXPECT_EQ(timeline.Entries()[0].nanos, 200);
    EXPECT_EQ(timeline.Entries()[1].text, kGsa);
    EXPECT_EQ(timeline.Entries()[2].text, "$GPRMC,0835");
    EXPECT_EQ(timeline.Entries()[2].nanos, 300);
}

TEST(SentenceTimeline, ReadsTheSimulatorsStampFileAndSkipsMalformedLines) {
    const std::string path = testing::TempDir() + "stamps.txt";
    std::ofstream(path) << "1000 " << kGga << "\n"
                        << "garbage\n"
                        << " " << kGsa << "\n"
                        << "2000 " << kGsa << "\r\n";
    const SentenceTimeline timeline = SentenceTimeline::FromStampFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(timeline.Entries().size(), 2u);
    EXPECT_EQ(timeline.Entries()[0].nanos, 1000);
    EXPECT_EQ(timeline.Entries()[0].text, kGga);
    EXPECT_EQ(timeline.Entries()[1].nanos, 2000);
    EXPECT_EQ(timeline.Entries()[1].text, kGsa);
}

struct MatchCase {
    const char* name;
    std::vector<std::string> earlier;
    std::vector<std::string> later;
    std::vector<long> expected;
};

class SentenceTimelineMatch : public testing::TestWithParam<MatchCase> {};

TEST_P(SentenceTimelineMatch, FindsEachSentenceInOrder) {
    const MatchCase& c = GetParam();
    SentenceTimeline earlier;
    SentenceTimeline later;
    for (const auto& text : c.earlier) {
        earlier.Add(1, text);
    }
    for (const auto& text : c.later) {
        later.Add(2, text);
    }
    EXPECT_EQ(later.MatchIn(earlier), c.expected);
    EXPECT_EQ(Texts(later), c.later);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentenceTimelineMatch,
    testing::Values(
        MatchCase{"AllThrough", {kGga, kGsa, kGga2, kGsa}, {kGga, kGsa, kGga2, kGsa}, {0, 1, 2, 3}},
        // A repeated text (GSA is the same in every group) goes to its next copy, not the first.
        MatchCase{"OneLost", {kGga, kGsa, kGga2, kGsa}, {kGga, kGga2, kGsa}, {0, 2, 3}},
        MatchCase{"Corrupted", {kGga, kGsa}, {kGga, "$GPGSA,A,3,0X*3D", kGsa}, {0, -1, 1}},
        MatchCase{"StartedLate", {kGga, kGsa, kGga2}, {kGga2}, {2}},
        MatchCase{"NothingEarlier", {}, {kGga}, {-1}}),
    [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST(Distribution, NearestRankPercentiles) {
    Distribution empty;
    EXPECT_EQ(empty.Median(), 0.0);
    Distribution d;
    for (int v : {50, 10, 40, 20, 30, 100, 90, 80, 70, 60}) {
        d.Add(v);
    }
    EXPECT_EQ(d.Size(), 10u);
    EXPECT_EQ(d.Median(), 50.0);
    EXPECT_EQ(d.Percentile(0.99), 100.0);
    EXPECT_EQ(d.Percentile(0.9), 90.0);
    EXPECT_EQ(d.Percentile(0.0), 10.0);
    EXPECT_EQ(d.Max(), 100.0);
}

}  // namespace
