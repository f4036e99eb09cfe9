// Epochs: where they end, what counts as a valid position, and the satellites used.

#include "GnssDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SystemCounts.h"

namespace {

GnssEpoch Decoded(const std::vector<std::string>& sentences) {
    GnssDecoder decoder;
    for (const std::string& sentence : sentences) {
        decoder.Decode(sentence);
    }
    decoder.Finish();
    return decoder.LastEpoch();
}

struct FixCase {
    const char* name;
    std::vector<std::string> sentences;
    int fix;
    std::optional<double> latitude;
    std::optional<double> longitude;
};

class EpochFix : public testing::TestWithParam<FixCase> {};

TEST_P(EpochFix, GivesThisFixAndPosition) {
    const GnssEpoch epoch = Decoded(GetParam().sentences);
    EXPECT_EQ(epoch.fix, GetParam().fix);
    ASSERT_EQ(epoch.latitude.has_value(), GetParam().latitude.has_value());
    if (epoch.latitude) {
        EXPECT_NEAR(*epoch.latitude, *GetParam().latitude, 1e-9);
        EXPECT_NEAR(*epoch.longitude, *GetParam().longitude, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, EpochFix,
    testing::Values(
        FixCase{"SouthAndWestAreNegative",
                {"GNGGA,003956.00,4552.65403,S,12118.85478,W,1,12,0.64,14.2,M,1.8,M,,"},
                3,
                -(45 + 52.65403 / 60),
                -(121 + 18.85478 / 60)},
        FixCase{"GsaGivesTheMode",
                {"GPRMC,081411.000,A,5541.1955,N,03737.2872,E,0.60,301.29,260514,,,A",
                 "GNGSA,A,2,03,19,27,13,,,,,,,,,2.75,2.56,1.00"},
                2,
                55 + 41.1955 / 60,
                37 + 37.2872 / 60},
        FixCase{"RmcWithoutAltitudeIsTwoDimensional",
                {"GPRMC,081411.000,A,5541.1955,N,03737.2872,E,0.60,301.29,260514,,,A"},
                2,
                55 + 41.1955 / 60,
                37 + 37.2872 / 60},
        FixCase{"GgaQualityZero",
                {"GPGGA,235946.005,8959.0,N,00000.0,E,0,0,,137.0,M,13.0,M,,"},
                0,
                {},
                {}},
        FixCase{"RmcStatusVOutweighsGga",
                {"GPRMC,214350,V,4023.8600,N,00339.1630,W,10.8,0.0,140605,2.5,W,S",
                 "GPGGA,214350,4023.8600,N,00339.1630,W,8,09,2.0,695.7,M,51.6,M,,"},
                0,
                {},
                {}},
        FixCase{
            "GnsModeN", {"GNGNS,014035.00,4332.69262,S,17235.48549,E,NN,13,0.9,25.63"}, 0, {}, {}},
        FixCase{"GnsOneSystemFixed",
                {"GNGNS,014035.00,4332.69262,S,17235.48549,E,NR,13,0.9,25.63"},
                3,
                -(43 + 32.69262 / 60),
                172 + 35.48549 / 60},
        FixCase{"GllOfAnotherSecondIsIgnored",
                {"GNRMC,171926.00,A,4404.14063,N,12118.85478,W,0.117,,180315,,,A",
                 "GNGLL,4405.00000,N,12118.85481,W,171925.00,A,A"},
                2,
                44 + 4.14063 / 60,
                -(121 + 18.85478 / 60)},
        FixCase{"MinutesOfSixtyAreNoPosition",
                {"GPRMC,081411.000,A,5560.0000,N,03737.2872,E,0.60,301.29,260514,,,A"},
                0,
                {},
                {}}),
    [](const testing::TestParamInfo<FixCase>& info) { return info.param.name; });

TEST(GnssDecoder, AnEpochEndsWhenTheTimeChanges) {
    GnssDecoder decoder;
    EXPECT_FALSE(decoder.Decode("GNRMC,171926.00,A,4404.14063,N,12118.85478,W,0.117,,180315,,,A"));
    EXPECT_FALSE(decoder.Decode("GNGGA,171926.00,4404.14063,N,12118.85478,W,1,12,0.91,1147.2,M"));
    EXPECT_FALSE(decoder.Decode("GNGSA,A,3,01,11,,,,,,,,,,,1.56,0.91,1.27"));
    EXPECT_TRUE(decoder.Decode("GNRMC,171927.00,A,4404.14058,N,12118.85475,W,0.084,,180315,,,A"));
    const GnssEpoch& epoch = decoder.LastEpoch();
    EXPECT_EQ(epoch.time->millisecondOfDay, ((17 * 60 + 19) * 60 + 26) * 1000);
    EXPECT_EQ(epoch.date, (CalendarDate{2015, 3, 18}));
    EXPECT_EQ(epoch.altitude, 1147.2);
    EXPECT_EQ(epoch.pdop, 1.56);
    EXPECT_EQ(epoch.used, 2);
    // Between epochs the values of the last one stand until new ones come.
    EXPECT_EQ(decoder.Current().altitude, 1147.2);
    EXPECT_EQ(decoder.Current().speedKnots, 0.084);
    EXPECT_EQ(decoder.Current().used, 2);
    // The end of the input completes the epoch the last RMC began, once.
    EXPECT_TRUE(decoder.Finish());
    EXPECT_EQ(decoder.LastEpoch().time->millisecondOfDay, ((17 * 60 + 19) * 60 + 27) * 1000);
    EXPECT_FALSE(decoder.Finish());
}

// A GN GSA without system ID is read by the number ranges; with one, by its system.
TEST(GnssDecoder, UsedSatellitesAreEveryGsaOfTheEpoch) {
    const GnssEpoch epoch = Decoded({
        "GNGSA,A,3,03,19,33,,,,,,,,,,2.75,2.56,1.00",
        "GNGSA,A,3,88,87,,,,,,,,,,,2.75,2.56,1.00",
        "GNGSA,A,3,07,12,33,,,,,,,,,,1.05,0.64,0.83,3",
        "GNGSA,A,3,13,12,,,,,,,,,,,1.05,0.64,0.83,4",
        "GPGSV,1,1,02,03,10,100,30,19,20,200,",
        "GLGSV,1,1,01,88,10,100,30",
    });
    EXPECT_EQ(epoch.used, 10);
    EXPECT_EQ(SystemSummary(CountBySystem(epoch)),
              "GPS 2/2, SBAS 1/0, GLONASS 2/1, Galileo 3/0, BeiDou 2/0");
    ASSERT_EQ(epoch.satellites.size(), 3u);
    EXPECT_TRUE(epoch.satellites[0].used);
    EXPECT_FALSE(epoch.satellites[1].used);  // used, but its signal has no C/N0
}

}  // namespace
