// Position statistics from fixes with known offsets.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <vector>

#include "GgaReader.h"
#include "PositionStatistics.h"
#include "SurveyCsv.h"

namespace {

// At latitude 0 a metre east is 1/a radians and a metre north 1/(a (1 - e2)) radians.
GeoPoint AtEquator(double east, double north, double up) {
    const double a = LocalFrame::kSemiMajorAxis;
    const double toDegrees = 180.0 / std::numbers::pi;
    return {north / (a * (1.0 - LocalFrame::kEccentricitySquared)) * toDegrees,
            east / a * toDegrees, 100.0 + up};
}

struct Offsets {
    double east, north, up;
};

struct StatisticsCase {
    const char* name;
    std::vector<Offsets> fixes;
    bool meanReference;  // otherwise measured from (0, 0, 100)
    SurveyFigures expected;
};

class StatisticsTest : public testing::TestWithParam<StatisticsCase> {};

TEST_P(StatisticsTest, MatchesTheHandComputedFigures) {
    PositionStatistics statistics;
    if (!GetParam().meanReference) {
        statistics.SetReference({0.0, 0.0, 100.0});
    }
    for (const Offsets& o : GetParam().fixes) {
        statistics.Add(0.0, AtEquator(o.east, o.north, o.up));
    }
    const SurveySummary summary = statistics.Summary();
    ASSERT_TRUE(summary.figures);
    const SurveyFigures& got = *summary.figures;
    const SurveyFigures& want = GetParam().expected;
    EXPECT_NEAR(got.sigmaEast, want.sigmaEast, 1e-6);
    EXPECT_NEAR(got.sigmaNorth, want.sigmaNorth, 1e-6);
    EXPECT_NEAR(got.sigmaUp, want.sigmaUp, 1e-6);
    EXPECT_NEAR(got.cep50, want.cep50, 1e-6);
    EXPECT_NEAR(got.cep95, want.cep95, 1e-6);
    EXPECT_NEAR(got.drms2, want.drms2, 1e-6);
    EXPECT_NEAR(got.maxHorizontal, want.maxHorizontal, 1e-6);
}

std::vector<Offsets> EastOneToTwenty() {
    std::vector<Offsets> fixes;
    for (int i = 20; i >= 1; --i) {
        fixes.push_back({static_cast<double>(i), 0.0, 0.0});
    }
    return fixes;
}

INSTANTIATE_TEST_SUITE_P(
    Figures, StatisticsTest,
    testing::Values(
        // sigma sqrt(2/4); every distance 1; 2DRMS 2 sqrt(1/2 + 1/2)
        StatisticsCase{"Cross",
                       {{1, 0, 1}, {-1, 0, -1}, {0, 1, 1}, {0, -1, -1}},
                       false,
                       {std::sqrt(0.5), std::sqrt(0.5), 1, 1, 1, 2, 1}},
        // CEP50 at index ceil(10)-1, CEP95 at ceil(19)-1; sigma sqrt((20^2-1)/12)
        StatisticsCase{"OneToTwentyEast",
                       EastOneToTwenty(),
                       false,
                       {std::sqrt(33.25), 0, 0, 10, 19, 2 * std::sqrt(33.25), 20}},
        // 3-4-5 triangles: distances 5, 5, 10; CEP50 at index ceil(1.5)-1 = 1
        StatisticsCase{"ThreeFixes",
                       {{3, 4, 2}, {-3, -4, 2}, {6, 8, 5}},
                       false,
                       {std::sqrt(14.0), std::sqrt(224.0 / 9), std::sqrt(2.0), 5, 10,
                        2 * std::sqrt(14.0 + 224.0 / 9), 10}},
        // around their mean: the same spread, distances from the middle
        StatisticsCase{"MeanReference",
                       {{10, 2, 3}, {12, 2, 5}, {11, 4, 3}, {11, 0, 5}},
                       true,
                       {std::sqrt(0.5), std::sqrt(2.0), 1, 1, 2, 2 * std::sqrt(2.5), 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PositionStatisticsTest, KeepsTheNewestFixesAndStartsAnewOnReset) {
    PositionStatistics statistics(3);
    for (int i = 0; i < 5; ++i) {
        statistics.Add(i, AtEquator(i, 0, i));
    }
    ASSERT_EQ(statistics.Count(), 3u);
    EXPECT_EQ(statistics.Fixes().front().time, 2.0);
    EXPECT_NEAR(statistics.Reference()->longitude, AtEquator(3, 0, 0).longitude, 1e-12);
    EXPECT_NEAR(statistics.Summary().figures->maxHorizontal, 1.0, 1e-6);

    statistics.SetReference({0.0, 0.0, 100.0});
    EXPECT_NEAR(statistics.Summary().figures->maxHorizontal, 4.0, 1e-6);
    ColumnRange up[2];
    PositionStatistics::UpColumns(statistics.Deviations(), {2, 4}, up);
    EXPECT_TRUE(up[0].min == 2 && up[0].max == 2 && up[1].min == 3 && up[1].max == 4);
    std::ostringstream csv;
    ASSERT_TRUE(WriteSurveyCsv(statistics, csv));
    EXPECT_NE(csv.str().find("\n4.000,0.000000000,0.000035933,104.000,4.0000,0.0000,4.0000\n"),
              std::string::npos)
        << csv.str();

    statistics.Reset();
    const SurveySummary empty = statistics.Summary();
    EXPECT_EQ(empty.fixes, 0u);
    EXPECT_FALSE(empty.figures);
    EXPECT_TRUE(empty.referenceSet);
    statistics.UseMeanReference();
    EXPECT_FALSE(statistics.Reference());
}

TEST(PositionStatisticsTest, AveragesAcrossTheAntimeridian) {
    PositionStatistics statistics;
    statistics.Add(0, {10.0, 179.9999, 0.0});
    statistics.Add(1, {10.0, -179.9997, 0.0});
    EXPECT_NEAR(std::abs(statistics.Reference()->longitude), 179.9999, 1e-9);
    EXPECT_LT(statistics.Summary().figures->maxHorizontal, 25.0);
}

TEST(GgaReaderTest, ReadsFixesOfTheTalkersAskedFor) {
    const char* gp = "$GPGGA,123519.50,4807.0380,S,01131.0000,W,1,08,0.9,545.4,M,46.9,M,,*63";
    const std::optional<GgaSentence> gga = ReadGga(gp, TalkerFilter::GpsOnly);
    ASSERT_TRUE(gga);
    EXPECT_TRUE(gga->IsPositionFix());
    EXPECT_NEAR(*gga->latitude, -(48 + 7.038 / 60), 1e-12);
    EXPECT_NEAR(*gga->longitude, -(11 + 31.0 / 60), 1e-12);
    EXPECT_DOUBLE_EQ(*gga->secondOfDay, 12 * 3600 + 35 * 60 + 19.5);
    EXPECT_EQ(gga->used, 8);
    EXPECT_EQ(gga->hdop, 0.9);
    EXPECT_EQ(gga->altitude, 545.4);

    const char* gn = "GNGGA,000001,4807.0380,N,01131.0000,E,2,12,0.7,1.0,M,,,,\r\n";
    EXPECT_FALSE(ReadGga(gn, TalkerFilter::GpsOnly));
    EXPECT_TRUE(ReadGga(gn, TalkerFilter::AnyTalker)->IsPositionFix());
    EXPECT_FALSE(ReadGga("GPGGA,000001,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,,,,*00",
                         TalkerFilter::GpsOnly));  // damaged
    EXPECT_FALSE(ReadGga("GPGGA,000001,,,,,0,00,,,M,,,,", TalkerFilter::GpsOnly)->IsPositionFix());
    EXPECT_FALSE(ReadGga("GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1", TalkerFilter::AnyTalker));
}

}  // namespace
