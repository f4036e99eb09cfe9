#include "NmeaText.h"

#include <gtest/gtest.h>
#include <cmath>

#include "SentenceChecks.h"

using namespace kelmsim;

namespace {

struct ChecksumCase {
    const char* payload;
    int checksum;
};

TEST(NmeaText, ChecksumOfKnownPayloads) {
    const ChecksumCase cases[] = {
        {"GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", 0x47},
        {"PQKL104,24.1233321,121.43323,0,75000,216000,521,12,4", 0x07},
        {"PQKL103,01,00,00, 1", 0x24},
        {"J", 0x4a},
        {"", 0x00},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nmeaChecksum(c.payload), c.checksum) << c.payload;
    }
}

TEST(NmeaText, FramesWithAndWithoutChecksum) {
    EXPECT_EQ(frameSentence("GPGLL,,,,,000000.00,V,N", true), "$GPGLL,,,,,000000.00,V,N*4A\r\n");
    EXPECT_TRUE(simtest::isValidSentence(frameSentence("GPGLL,,,,,000000.00,V,N", true)));
    EXPECT_EQ(frameSentence("GPVTG,,T,,M,,N,,K,N", false), "$GPVTG,,T,,M,,N,,K,N\r\n");
}

struct AngleCase {
    double degrees;
    const char* latitude;
    const char* longitude;
};

TEST(NmeaText, FormatsDegreesAndMinutesWithHemisphere) {
    const AngleCase cases[] = {
        {0.0, "0000.0000,N", "00000.0000,E"},
        {48.1173, "4807.0380,N", "04807.0380,E"},
        {-33.8688, "3352.1280,S", "03352.1280,W"},
        {-0.5, "0030.0000,S", "00030.0000,W"},
        {151.2093, "", "15112.5580,E"},
        // Rounds up into the next whole degree instead of printing 60 minutes.
        {10.99999999, "1100.0000,N", "01100.0000,E"},
        {-179.999999999, "", "18000.0000,W"},
    };
    for (const auto& c : cases) {
        if (std::abs(c.degrees) <= 90.0) {
            EXPECT_EQ(formatLatitude(c.degrees), c.latitude) << c.degrees;
        }
        EXPECT_EQ(formatLongitude(c.degrees), c.longitude) << c.degrees;
    }
}

TEST(NmeaText, PrintableEscapesControlBytes) {
    EXPECT_EQ(printable(std::string("$A\r\n\x01\xff", 6)), "$A\\x0d\\x0a\\x01\\xff");
}

}  // namespace
