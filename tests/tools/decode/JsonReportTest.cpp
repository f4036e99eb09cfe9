#include "JsonReport.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonReport, NamesEveryFieldAndPrintsFloatsThatRoundTrip) {
    NavState nav;
    nav.latitude = 48.117302f;
    nav.latHemisphere = 'N';
    nav.utcSecond = 19.99f;
    nav.sats[11] = {32, 5, 270, 200};
    std::string out;
    AppendJsonReport(out, "GPRMC,1*00\r\n", nav);
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(out.find('\n'), out.size() - 1);  // one line
    EXPECT_NE(out.find("{\"sentence\":\"GPRMC,1*00\",\"utcHour\":0,"), std::string::npos);
    EXPECT_NE(out.find("\"latitude\":48.117302,\"latHemisphere\":\"N\""), std::string::npos);
    EXPECT_NE(out.find("\"utcSecond\":19.99,"), std::string::npos);
    EXPECT_NE(out.find("\"lonHemisphere\":\"\""), std::string::npos);
    EXPECT_NE(out.find("\"fixMode\":1,"), std::string::npos);
    EXPECT_NE(out.find("{\"prn\":32,\"elevation\":5,\"azimuth\":270,\"snr\":200}]}"),
              std::string::npos);
    for (const char* key :
         {"longitude", "speedKnots", "courseDeg", "ggaQuality", "altitude", "pdop", "hdop", "vdop",
          "fixAvailable", "satsInView", "gsvMessageCount", "gsvMessageNumber", "utcMinute"}) {
        EXPECT_NE(out.find("\"" + std::string(key) + "\":"), std::string::npos) << key;
    }
}

TEST(JsonReport, EscapesWhatJsonCannotHoldAsIs) {
    std::string out;
    AppendJsonReport(out, "GP\"q\\\x01\xe9\r\n", NavState{});
    EXPECT_NE(out.find("\"sentence\":\"GP\\\"q\\\\\\u0001\\u00e9\""), std::string::npos) << out;
}

}  // namespace
