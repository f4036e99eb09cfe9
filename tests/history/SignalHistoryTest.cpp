// The stored signal history: per-pixel-column ranges, gaps, retention and export.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "HistoryCsv.h"
#include "HistoryRecorder.h"
#include "SignalHistory.h"

namespace {

struct Column {
    bool hasData;
    double min;
    double max;
};

std::vector<Column> Query(const SignalHistory& history, SeriesId series, TimeWindow window,
                          int pixels) {
    std::vector<ColumnRange> ranges(static_cast<std::size_t>(pixels));
    history.Query(series, window, ranges);
    std::vector<Column> columns;
    for (const ColumnRange& r : ranges) {
        columns.push_back({r.hasData, r.hasData ? r.min : 0, r.hasData ? r.max : 0});
    }
    return columns;
}

bool operator==(const Column& a, const Column& b) {
    return a.hasData == b.hasData && a.min == b.min && a.max == b.max;
}

void PrintTo(const Column& c, std::ostream* out) {
    *out << (c.hasData ? "" : "no data ") << c.min << ".." << c.max;
}

// Satellite 7's C/N0 at seconds 100..109: 40 41 42 43 - - 30 50 45 45 (a gap at 104, 105).
SignalHistory TenSeconds() {
    SignalHistory history;
    const int values[] = {40, 41, 42, 43, -1, -1, 30, 50, 45, 45};
    for (int i = 0; i < 10; ++i) {
        history.SetInView(100 + i + 0.5, 8 + i % 2);
        if (values[i] >= 0) {
            history.AddCarrierToNoise(100 + i, 7, "G07", values[i]);
        }
    }
    return history;
}

struct QueryCase {
    const char* name;
    SeriesId series;
    TimeWindow window;
    std::vector<Column> expected;
};

class HistoryQueryTest : public testing::TestWithParam<QueryCase> {};

TEST_P(HistoryQueryTest, GivesMinAndMaxPerPixelColumn) {
    const QueryCase& c = GetParam();
    EXPECT_EQ(Query(TenSeconds(), c.series, c.window, static_cast<int>(c.expected.size())),
              c.expected);
}

const SeriesId kCno{SeriesKind::CarrierToNoise, 7};
INSTANTIATE_TEST_SUITE_P(
    Columns, HistoryQueryTest,
    testing::Values(
        QueryCase{"TwoSecondsEach",
                  kCno,
                  {100, 109},
                  {{true, 40, 41}, {true, 42, 43}, {false, 0, 0}, {true, 30, 50}, {true, 45, 45}}},
        QueryCase{"ThreeAndFourSeconds",
                  kCno,
                  {100, 109},
                  {{true, 40, 42}, {true, 43, 43}, {true, 30, 50}}},
        QueryCase{"MorePixelsThanSeconds",
                  kCno,
                  {106, 108},
                  {{true, 30, 30},
                   {true, 30, 30},
                   {true, 50, 50},
                   {true, 50, 50},
                   {true, 45, 45},
                   {true, 45, 45}}},
        QueryCase{"BeyondTheData", kCno, {108, 115}, {{true, 45, 45}, {false, 0, 0}}},
        QueryCase{"UnknownSatellite", {SeriesKind::CarrierToNoise, 8}, {100, 109}, {{false, 0, 0}}},
        QueryCase{"InView", {SeriesKind::InView}, {100, 109}, {{true, 8, 9}, {true, 8, 9}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PixelColumnsTest, EverySecondLandsInAColumnThatCoversIt) {
    for (const std::int64_t seconds : {1, 7, 300, 1000, 3600, 86400}) {
        for (const int count : {1, 3, 640, 1000}) {
            const PixelColumns pixels({-5, -5 + seconds - 1}, count);
            for (std::int64_t s = -5; s < -5 + seconds; s += 1 + seconds / 500) {
                const int column = pixels.ColumnOf(static_cast<double>(s) + 0.25);
                ASSERT_GE(column, 0) << seconds << " " << count;
                EXPECT_TRUE(pixels.Column(column).Contains(s)) << seconds << " " << count;
            }
            EXPECT_EQ(pixels.Column(0).first, -5);
            EXPECT_EQ(pixels.Column(count - 1).last, -5 + seconds - 1);
        }
    }
}

TEST(SignalHistoryTest, DropsWhatIsOlderThanTheRetention) {
    SignalHistory history(100);
    for (int s = 0; s < 100; ++s) {
        history.AddCarrierToNoise(s, 1, "G01", 30);
        history.SetDilutions(s, 1.5, 0.9, 1.2);
    }
    history.AddCarrierToNoise(120, 2, "G02", 44);
    EXPECT_EQ(history.Kept().first, 21);
    EXPECT_EQ(history.Last(300).first, 21);
    EXPECT_FALSE(history.CarrierToNoiseAt(1, 20));
    EXPECT_EQ(history.CarrierToNoiseAt(1, 21), 30);
    EXPECT_EQ(history.EpochAt(50)->hdop, 90);
    EXPECT_EQ(Query(history, {SeriesKind::Pdop}, {0, 119}, 2),
              (std::vector<Column>{{true, 1.5, 1.5}, {true, 1.5, 1.5}}));

    history.AddCarrierToNoise(700, 2, "G02", 45);  // the ring comes round more than once
    ASSERT_EQ(history.Satellites().size(), 1u);
    EXPECT_EQ(history.Satellites()[0].name, "G02");
    EXPECT_FALSE(history.EpochAt(600));
    EXPECT_TRUE(history.EpochAt(601)->Empty());
    EXPECT_EQ(Query(history, {SeriesKind::CarrierToNoise, 2}, history.Kept(), 1)[0].min, 45);

    history.SetUsed(10, 5);  // earlier than the newest: a new history
    EXPECT_EQ(history.Kept().first, 10);
    EXPECT_TRUE(history.Satellites().empty());
}

TEST(SignalHistoryTest, ExportsOneLinePerSecondWithData) {
    SignalHistory history;
    history.SetInView(10, 9);
    history.SetUsed(10, 6);
    history.SetDilutions(10, 1.84, 1.0, std::nullopt);
    history.AddCarrierToNoise(10.5, 3, "G03", 41);
    history.AddCarrierToNoise(13, 3, "G03", 300);
    history.AddCarrierToNoise(13, 0x10001, "R01,L1", 22);
    std::ostringstream out;
    ASSERT_TRUE(WriteHistoryCsv(history, history.Kept(), out));
    EXPECT_EQ(out.str(),
              "time,in_view,used,pdop,hdop,vdop,G03,\"R01,L1\"\n"
              "10,9,6,1.84,1.00,,41,\n"
              "13,,,,,,254,22\n");
}

// A log that ran past midnight, played again from its start, goes back in time: the history
// starts anew instead of going on a day later.
TEST(HistoryRecorderTest, ALogPlayedAgainPastMidnightStartsTheHistoryAnew) {
    HistoryRecorder recorder;
    GnssEpoch epoch;
    for (const int millisecond : {86'390'000, 0, 10'000}) {
        epoch.time = UtcTime{millisecond};
        recorder.Epoch(epoch);
    }
    EXPECT_EQ(recorder.Signals().Kept().last, 86'410);
    recorder.SourceStarted();
    epoch.time = UtcTime{86'390'000};
    recorder.Epoch(epoch);
    EXPECT_EQ(recorder.Signals().Kept().first, 86'390);
    EXPECT_EQ(recorder.Signals().Kept().last, 86'390);
}

}  // namespace
