#include <gtest/gtest.h>

#include <string>

#include "CommandError.h"
#include "CommandFraming.h"
#include "InitCommand.h"
#include "RateCommand.h"
#include "RecordingLink.h"

namespace {

TEST(NmeaChecksumTest, SumsTheBytesBetweenDollarAndStar) {
    EXPECT_EQ(NmeaChecksum("$J*"), 0x4a);
    EXPECT_EQ(NmeaChecksum("$PQKL103,00,00,01,01*"), 0x34);
    EXPECT_EQ(NmeaChecksum("$AB*CD"), 'A' ^ 'B');  // stops at the first star
    EXPECT_EQ(NmeaChecksum("$AB"), 'A' ^ 'B');     // or at the end of the text
    EXPECT_EQ(NmeaChecksum(""), 0);
}

TEST(NmeaChecksumTest, TakesAtMostTheBytesUpToIndex200) {
    const std::string body = "$" + std::string(200, 'A') + "B*";
    EXPECT_EQ(NmeaChecksum(body), 0);  // 200 equal bytes cancel; "B" at 201 is left out
    EXPECT_EQ(NmeaChecksum("$" + std::string(199, 'A') + "B*"), 'A' ^ 'B');
}

TEST(SendCommandTest, WritesFiveFramesInOneWrite) {
    RecordingLink link;
    SendCommand("$J*", link);
    ASSERT_EQ(link.writes.size(), 1u);
    EXPECT_EQ(link.writes[0].size(), 35u);
    EXPECT_EQ(link.writes[0], FiveFrames("$J*", "4a"));  // lowercase hex digits
}

TEST(SendCommandTest, SendsTheLongestBodyWhole) {
    RecordingLink link;
    const std::string body = "$" + std::string(197, 'A') + "*";
    ASSERT_EQ(body.size(), kMaxCommandBodyLength);
    SendCommand(body, link);
    ASSERT_EQ(link.writes.size(), 1u);
    EXPECT_EQ(link.writes[0], FiveFrames(body, "41"));
    EXPECT_EQ(link.writes[0].size(), 1015u);
}

TEST(SendCommandTest, RefusesALongerBodyAndSendsNothing) {
    RecordingLink link;
    const std::string body = "$" + std::string(198, 'A') + "*";
    EXPECT_THROW(SendCommand(body, link), CommandError);
    EXPECT_TRUE(link.writes.empty());
}

TEST(InitCommandTest, BuildsTheBodyFromTextsAndNumbers) {
    const InitCommand builtIn{"24.1233321", "121.43323", "0", 75000, 216000.0f, 521, 12, 4};
    EXPECT_EQ(InitCommandBody(builtIn), "$PQKL104,24.1233321,121.43323,0,75000,216000,521,12,4*");

    // Texts go out as typed; the time of week is truncated; negative numbers keep the sign.
    const InitCommand typed{"24.50000", "-121.4", "+12.0", -5, 604799.9f, -1, 0, 2};
    EXPECT_EQ(InitCommandBody(typed), "$PQKL104,24.50000,-121.4,+12.0,-5,604799,-1,0,2*");
}

TEST(InitCommandTest, RefusesABodyLongerThan199Characters) {
    const std::string lat(150, '1');
    const InitCommand fits{lat, "1", "0", 0, 0.0f, 0, 0, 4};
    const std::string body = InitCommandBody(fits);
    const std::string longer(lat.size() + kMaxCommandBodyLength - body.size() + 1, '1');
    const InitCommand tooLong{longer, "1", "0", 0, 0.0f, 0, 0, 4};
    try {
        InitCommandBody(tooLong);
        FAIL() << "an over-long body was built";
    } catch (const CommandError& error) {
        EXPECT_NE(std::string(error.what()).find("200 characters"), std::string::npos)
            << error.what();
    }
}

struct RateCase {
    int code;
    bool selected;
    int rate;
    int flag;
    const char* body;
};

class RateCommandTest : public testing::TestWithParam<RateCase> {};

TEST_P(RateCommandTest, FormatsTheFields) {
    const RateCase& c = GetParam();
    EXPECT_EQ(RateCommandBody(c.code, c.selected, c.rate, c.flag), c.body);
}

INSTANTIATE_TEST_SUITE_P(Bodies, RateCommandTest,
                         testing::Values(RateCase{0, true, 1, 1, "$PQKL103,00,00,01,01*"},
                                         RateCase{1, false, 1, 1, "$PQKL103,01,00,00, 1*"},
                                         RateCase{5, false, 7, 0, "$PQKL103,05,00,00, 0*"},
                                         RateCase{0, true, 5, 0, "$PQKL103,00,00,05,00*"},
                                         RateCase{3, true, 10, 1, "$PQKL103,03,00,10,01*"},
                                         RateCase{4, true, 100, 1, "$PQKL103,04,00,100,01*"},
                                         RateCase{2, true, -3, 1, "$PQKL103,02,00,-3,01*"}));

}  // namespace
