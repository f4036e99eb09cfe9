#include "SentenceDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "RecordingListener.h"

namespace {

struct Decoder {
    NavState nav;
    RecordingListener listener;

    void Decode(const std::string& text) {
        SentenceBuffer sentence;
        std::strncpy(sentence.bytes, text.c_str(), SentenceBuffer::kMaxText);
        DecodeSentence(sentence, nav, listener);
    }
};

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

constexpr const char* kRmc =
    "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";

TEST(DecodeRmc, ConvertsDegreesAndMinutesInSinglePrecision) {
    Decoder d;
    d.Decode(kRmc);
    EXPECT_EQ(Printed("%.6lf", d.nav.latitude), "48.117302");
    EXPECT_EQ(Printed("%.6lf", d.nav.longitude), "11.516667");
    EXPECT_EQ(d.nav.latHemisphere, 'N');
    EXPECT_EQ(d.nav.lonHemisphere, 'E');
    EXPECT_EQ(d.nav.utcHour, 12);
    EXPECT_EQ(d.nav.utcMinute, 35);
    EXPECT_FLOAT_EQ(d.nav.utcSecond, 19.0f);
    EXPECT_FLOAT_EQ(d.nav.speedKnots, 22.4f);
    EXPECT_FLOAT_EQ(d.nav.courseDeg, 84.4f);
}

TEST(DecodeRmc, HemisphereIsALetterNotASign) {
    Decoder d;
    d.Decode("GPRMC,123519,A,4807.038,S,01131.000,W,0.0,0.0,230394,,*00\r\n");
    EXPECT_EQ(Printed("%.6lf", d.nav.latitude), "48.117302");
    EXPECT_EQ(d.nav.latHemisphere, 'S');
    EXPECT_EQ(d.nav.lonHemisphere, 'W');
    EXPECT_GT(d.nav.longitude, 0.0f);
}

TEST(DecodeRmc, EmptyPositionKeepsThePreviousDegreesButTakesTheTime) {
    Decoder d;
    d.Decode(kRmc);
    const float latitude = d.nav.latitude;
    const float longitude = d.nav.longitude;
    d.Decode("GPRMC,091500.50,V,,,,,,,230394,,*00\r\n");
    EXPECT_EQ(d.nav.latitude, latitude);
    EXPECT_EQ(d.nav.longitude, longitude);
    EXPECT_EQ(d.nav.utcHour, 9);
    EXPECT_EQ(d.nav.utcMinute, 15);
    EXPECT_FLOAT_EQ(d.nav.utcSecond, 0.5f);
}

TEST(DecodeRmc, LatitudeWithoutLongitudeConvertsOnlyTheLatitude) {
    Decoder d;
    d.Decode(kRmc);
    const float longitude = d.nav.longitude;
    d.Decode("GPRMC,123519,A,5000.000,N,,E,1,1,1,1*00\r\n");
    EXPECT_FLOAT_EQ(d.nav.latitude, 50.0f);
    EXPECT_EQ(d.nav.longitude, longitude);
}

TEST(DecodeRmc, StatusVDoesNotPreventTheUpdate) {
    Decoder d;
    d.Decode("GPRMC,214350,V,4023.8600,N,00339.1630,W,10.8,0.0,140605,2.5,W,S*21\r\n");
    EXPECT_NEAR(d.nav.latitude, 40.397667, 1e-5);
    EXPECT_NEAR(d.nav.longitude, 3.652717, 1e-5);
    EXPECT_FLOAT_EQ(d.nav.speedKnots, 10.8f);
}

TEST(DecodeRmc, HugeValuesConvertWithoutUndefinedBehaviour) {
    Decoder d;
    d.Decode("GPRMC,123519,A,3e38,N,-3e38,E,1,1,1,1*00\r\n");
    EXPECT_TRUE(std::isfinite(d.nav.latitude));
    EXPECT_TRUE(std::isfinite(d.nav.longitude));
}

TEST(DecodeGga, TakesTimeQualityHdopAndAltitudeButNeverThePosition) {
    Decoder d;
    d.Decode(kRmc);
    const float latitude = d.nav.latitude;
    d.Decode("GPGGA,101112,1234.000,S,01234.000,W,2,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(d.nav.utcHour, 10);
    EXPECT_EQ(d.nav.utcMinute, 11);
    EXPECT_EQ(d.nav.ggaQuality, 2);
    EXPECT_FLOAT_EQ(d.nav.hdop, 0.9f);
    EXPECT_FLOAT_EQ(d.nav.altitude, 545.4f);
    EXPECT_EQ(d.nav.latitude, latitude);
    EXPECT_EQ(d.nav.latHemisphere, 'N');
}

TEST(DecodeGga, EmptyPositionUpdatesOnlyTheTime) {
    Decoder d;
    d.Decode("GPGGA,101112,1234.000,S,01234.000,W,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    d.Decode("GPGGA,235947.004,,,,,0,0,,,M,,M,,*49\r\n");
    EXPECT_EQ(d.nav.utcHour, 23);
    EXPECT_EQ(d.nav.utcMinute, 59);
    EXPECT_FLOAT_EQ(d.nav.utcSecond, 47.004f);
    EXPECT_EQ(d.nav.ggaQuality, 1);
    EXPECT_FLOAT_EQ(d.nav.altitude, 545.4f);
}

TEST(DecodeDop, HdopComesFromWhicheverOfGgaAndGsaCameLast) {
    const std::string gga = "GPGGA,101112,1234.000,S,01234.000,W,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    const std::string gsa = "GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,2.1,1.2,1.7*00\r\n";
    Decoder a;
    a.Decode(gga);
    a.Decode(gsa);
    EXPECT_FLOAT_EQ(a.nav.hdop, 1.2f);
    Decoder b;
    b.Decode(gsa);
    b.Decode(gga);
    EXPECT_FLOAT_EQ(b.nav.hdop, 0.9f);
}

TEST(DecodeGsa, FixModeSetsFixAvailable) {
    struct Step {
        const char* gsa;
        int fixMode;
        int fixAvailable;
    };
    // Applied in order to one record.
    const Step steps[] = {
        {"GPGSA,A,3,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n", 3, 1},
        {"GPGSA,A,1,,,,,,,,,,,,,,,*1E\r\n", 1, 0},
        {"GPGSA,A,2,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n", 2, 1},
        {"GPGSA,A,0,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n", 0, 1},
        {"GPGSA,A,,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n", 0, 1},
        {"GPGSA,A,1,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n", 1, 0},
        {"GPGSA,A,7,,,,,,,,,,,,,2.5,1.3,2.1*39\r\n", 7, 0},
    };
    Decoder d;
    for (const Step& step : steps) {
        d.Decode(step.gsa);
        EXPECT_EQ(d.nav.fixMode, step.fixMode) << step.gsa;
        EXPECT_EQ(d.nav.fixAvailable, step.fixAvailable) << step.gsa;
    }
}

TEST(DecodeGsa, DopsFollowTheFifteenthCommaOfAnyTalker) {
    Decoder d;
    d.Decode("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n");
    EXPECT_FLOAT_EQ(d.nav.pdop, 2.5f);
    EXPECT_FLOAT_EQ(d.nav.hdop, 1.3f);
    EXPECT_FLOAT_EQ(d.nav.vdop, 2.1f);
    // Another talker: the fix mode is not read, the dilutions are.
    d.Decode("GNGSA,A,1,04,05,,09,12,,,24,,,,,3.5,2.3,3.1*39\r\n");
    EXPECT_EQ(d.nav.fixMode, 3);
    EXPECT_FLOAT_EQ(d.nav.pdop, 3.5f);
    EXPECT_FLOAT_EQ(d.nav.vdop, 3.1f);
    // Fewer than fifteen commas (a truncated GSA) leave the dilutions alone.
    d.Decode("GPGSA,A,1,,,,,,,,,,*1E\r\n");
    EXPECT_FLOAT_EQ(d.nav.pdop, 3.5f);
    EXPECT_FLOAT_EQ(d.nav.hdop, 2.3f);
    EXPECT_EQ(d.nav.fixAvailable, 0);
}

TEST(DecodeGsv, SlotsOfEachMessage) {
    Decoder d;
    d.nav.sats[3] = {99, 9, 9, 9};
    d.Decode("GPGSV,1,1,03,01,10,100,31,02,20,200,32,03,30,300,33*00\r\n");
    EXPECT_EQ(d.nav.sats[0].prn, 1);
    EXPECT_EQ(d.nav.sats[2].azimuth, 300);
    EXPECT_EQ(d.nav.sats[2].snr, 33);
    EXPECT_EQ(d.nav.sats[3].prn, 99);  // not part of this report: untouched

    d.Decode("GPGSV,3,2,10,05,50,050,35,06,60,060,36,07,70,070,37,08,80,080,38*00\r\n");
    EXPECT_EQ(d.nav.sats[4].prn, 5);
    EXPECT_EQ(d.nav.sats[7].elevation, 80);
    d.Decode("GPGSV,3,3,10,09,19,190,39,10,11,110,40*00\r\n");
    EXPECT_EQ(d.nav.sats[8].prn, 9);
    EXPECT_EQ(d.nav.sats[9].snr, 40);
    EXPECT_EQ(d.nav.gsvMessageCount, 3);
    EXPECT_EQ(d.nav.gsvMessageNumber, 3);
    EXPECT_EQ(d.nav.satsInView, 10);
}

TEST(DecodeGsv, BlocksParsedPerMessageAndSatelliteCount) {
    struct Case {
        int message;
        int satsInView;
        int firstSlotFilled;
        int slotsFilled;
    };
    const Case cases[] = {
        {1, 1, 0, 1},   {1, 3, 0, 3},  {1, 4, 0, 4}, {1, 9, 0, 4}, {2, 4, 4, 0},
        {2, 5, 4, 1},   {2, 7, 4, 3},  {2, 8, 4, 4}, {3, 8, 8, 0}, {3, 9, 8, 1},
        {3, 12, 8, 4},  {3, 14, 8, 4},  // more than twelve: the last four slots
        {4, 16, 12, 0},
    };
    for (const Case& c : cases) {
        Decoder d;
        char text[128];
        std::snprintf(text, sizeof text,
                      "GPGSV,4,%d,%02d,11,12,013,14,21,22,023,24,31,32,033,34,41,42,043,44*00\r\n",
                      c.message, c.satsInView);
        d.Decode(text);
        for (int slot = 0; slot < NavState::kChannels; ++slot) {
            const bool filled =
                slot >= c.firstSlotFilled && slot < c.firstSlotFilled + c.slotsFilled;
            const int expectedPrn = filled ? 11 + 10 * (slot - c.firstSlotFilled) : 0;
            EXPECT_EQ(d.nav.sats[static_cast<std::size_t>(slot)].prn, expectedPrn)
                << "message " << c.message << " of " << c.satsInView << ", slot " << slot;
        }
        EXPECT_EQ(d.nav.satsInView, c.satsInView);
    }
}

// An empty field stores 0 and the parse goes on; a field that is no number ends it there,
// and that field and every later one keep their values.
TEST(DecodeGsv, EmptyFieldsStoreZeroAndTheParseGoesOn) {
    struct Case {
        const char* blocks;
        std::array<SatInView, 4> expected;
    };
    const SatInView kept{77, 7, 7, 70};
    const Case cases[] = {
        {"01,10,100,,02,20,200,32,03,30,300,33,04,40,040,34",  // untracked first
         {{{1, 10, 100, 0}, {2, 20, 200, 32}, {3, 30, 300, 33}, {4, 40, 40, 34}}}},
        {"01,10,100,31,02,20,200,,03,30,300,33,04,40,040,34",  // untracked in the middle
         {{{1, 10, 100, 31}, {2, 20, 200, 0}, {3, 30, 300, 33}, {4, 40, 40, 34}}}},
        {"01,10,100,31,02,20,200,32,03,30,300,33,04,40,040,",  // untracked last
         {{{1, 10, 100, 31}, {2, 20, 200, 32}, {3, 30, 300, 33}, {4, 40, 40, 0}}}},
        {"01,,,,02,20,200,32,03,30,300,33,04,40,040,34",  // no elevation or azimuth yet
         {{{1, 0, 0, 0}, {2, 20, 200, 32}, {3, 30, 300, 33}, {4, 40, 40, 34}}}},
        {"01,10,100,31,02,x0,200,32,03,30,300,33,04,40,040,34",  // no number: the parse ends
         {{{1, 10, 100, 31}, {2, 7, 7, 70}, kept, kept}}},
    };
    for (const Case& c : cases) {
        Decoder d;
        d.nav.sats.fill(kept);
        d.Decode(std::string("GPGSV,1,1,04,") + c.blocks + "*00\r\n");
        for (std::size_t i = 0; i < 4; ++i) {
            const SatInView& got = d.nav.sats[i];
            const SatInView& want = c.expected[i];
            EXPECT_EQ(std::tie(got.prn, got.elevation, got.azimuth, got.snr),
                      std::tie(want.prn, want.elevation, want.azimuth, want.snr))
                << c.blocks << ", satellite " << i + 1;
        }
    }
}

TEST(DecodeGsv, SignalAbove255KeepsItsLowEightBits) {
    Decoder d;
    d.Decode("GPGSV,1,1,01,01,10,100,300*00\r\n");
    EXPECT_EQ(d.nav.sats[0].snr, 300 % 256);
}

TEST(DecodeGsv, ZeroSatellitesUpdatesOnlyTheCounts) {
    Decoder d;
    d.nav.sats[0] = {5, 5, 5, 5};
    d.Decode("GPGSV,1,1,00*79\r\n");
    EXPECT_EQ(d.nav.satsInView, 0);
    EXPECT_EQ(d.nav.gsvMessageCount, 1);
    EXPECT_EQ(d.nav.sats[0].prn, 5);
    const std::vector<std::string> expected = {"values 0", "decoded"};
    EXPECT_EQ(d.listener.calls, expected);
}

TEST(DecodeGsv, OtherTalkerChangesNothingButTheViewsFollowTheStoredCounts) {
    Decoder d;
    d.Decode("GPGSV,2,2,06,05,50,050,35,06,60,060,36*00\r\n");
    const NavState before = d.nav;
    d.listener.calls.clear();
    const std::string glonass = "GLGSV,1,1,02,65,10,100,31,66,20,200,32*00\r\n";
    d.Decode(glonass);
    EXPECT_EQ(d.nav.sats[0].prn, before.sats[0].prn);
    EXPECT_EQ(d.nav.satsInView, 6);
    EXPECT_EQ(d.nav.gsvMessageNumber, 2);
    const std::vector<std::string> expected = {"values 0", "row 2 " + glonass, "sats 2/2",
                                               "decoded"};
    EXPECT_EQ(d.listener.calls, expected);
}

TEST(DecodeListenerOrder, RowBeforeTheParseValuesAfterIt) {
    struct Case {
        const char* text;
        std::vector<std::string> calls;
    };
    const std::string gsv = "GPGSV,1,1,01,01,10,100,31*00\r\n";
    const Case cases[] = {
        {"GPGGA,1,,*00\r\n", {"row 4 GPGGA,1,,*00\r\n", "values 1", "decoded"}},
        {"GPGSA,A,1*00\r\n", {"row 5 GPGSA,A,1*00\r\n", "values 2", "decoded"}},
        {"GNRMC,1,,*00\r\n", {"row 6 GNRMC,1,,*00\r\n", "values 3", "decoded"}},
        {"GPVTG,1*00\r\n", {"row 7 GPVTG,1*00\r\n", "decoded"}},
        {"GPGLL,1*00\r\n", {"row 8 GPGLL,1*00\r\n", "decoded"}},
        {"GPZDA,1*00\r\n", {"decoded"}},
        {"PMTK010,001*2E\r\n", {"decoded"}},
        {"GP\r\n", {"decoded"}},
        {gsv.c_str(), {"values 0", "row 1 " + gsv, "sats 1/1", "decoded"}},
        {"GPGSV,5,4,20,01,10,100,31*00\r\n", {"values 0", "decoded"}},
    };
    for (const Case& c : cases) {
        Decoder d;
        d.Decode(c.text);
        EXPECT_EQ(d.listener.calls, c.calls) << c.text;
    }
}

TEST(SentenceTypeOf, LooksOnlyAtCharactersThreeToFive) {
    EXPECT_EQ(SentenceTypeOf("GPGSV,"), SentenceType::Gsv);
    EXPECT_EQ(SentenceTypeOf("XXGGA"), SentenceType::Gga);
    EXPECT_EQ(SentenceTypeOf("GNGSA,"), SentenceType::Gsa);
    EXPECT_EQ(SentenceTypeOf("GPRMB,"), SentenceType::Other);
    EXPECT_EQ(SentenceTypeOf("GPRM"), SentenceType::Other);
    EXPECT_EQ(SentenceTypeOf(""), SentenceType::Other);
}

}  // namespace
