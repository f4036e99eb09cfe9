#include "LogDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "KelmstarVersion.h"
#include "RunCommand.h"

namespace {

std::string DecodeText(const std::string& log) {
    std::FILE* input = std::tmpfile();
    std::FILE* output = std::tmpfile();
    std::fwrite(log.data(), 1, log.size(), input);
    std::rewind(input);
    LogDecoder decoder(output);
    EXPECT_TRUE(decoder.Decode(input));
    std::string text(static_cast<std::size_t>(std::ftell(output)), '\0');
    std::rewind(output);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), output), text.size());
    std::fclose(input);
    std::fclose(output);
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST(LogDecoder, ToolNamesTheProjectVersion) {
    EXPECT_EQ(RunCommand(std::string(KELMSTAR_DECODE) + " --version"),
              std::string("kelmstar-decode ") + kKelmstarVersion + "\n");
}

TEST(LogDecoder, DecodesEverySentenceOfAShortLogIncludingTheLastOnes) {
    // Far fewer than 100 bytes: only the end-of-input drain frames these.
    const std::string out = DecodeText("$GPVTG,1*00\r\n$GPGGA,091500,,,,,0,0,,,M,,M,,*49\r\n");
    const auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("{\"sentence\":\"GPGGA,091500,", 0), 0u);
    EXPECT_NE(lines[1].find("\"utcHour\":9,\"utcMinute\":15,"), std::string::npos);
}

TEST(LogDecoder, LargeInputLosesNoSentence) {
    std::string log;
    for (int i = 0; i < 5000; ++i) {
        char line[96];
        std::snprintf(line, sizeof line,
                      "$GPRMC,%02d%02d%02d,A,4807.038,N,01131.000,E,1,2,3,4*00\r\n", i / 3600 % 24,
                      i / 60 % 60, i % 60);
        log += line;
    }
    EXPECT_EQ(Lines(DecodeText(log)).size(), 5000u);
}

// Every position Debian's gpsdecode reads from a capture must be one the program's
// decoder reads too (the hemisphere letter applied as a sign).
TEST(LogDecoder, PositionsAgreeWithAnIndependentDecoder) {
    if (RunCommand("command -v gpsdecode").empty()) {
        GTEST_SKIP() << "gpsdecode (package gpsd-clients) is not installed";
    }
    const std::regex ours(
        "\"sentence\":\"GPRMC[^\"]*\".*\"latitude\":([-0-9.e]+),\"latHemisphere\":\"(.?)\","
        "\"longitude\":([-0-9.e]+),\"lonHemisphere\":\"(.?)\"");
    const std::regex theirs("\"lat\":([-0-9.]+),\"lon\":([-0-9.]+)");
    for (const char* capture : {"iTrek.log", "mtk-3301.log"}) {
        const std::string path = std::string(KELMSTAR_CAPTURES) + "/" + capture;
        std::vector<std::pair<double, double>> decoded;
        for (const std::string& line :
             Lines(RunCommand(std::string(KELMSTAR_DECODE) + " " + path))) {
            std::smatch m;
            if (std::regex_search(line, m, ours)) {
                const double lat = std::stod(m[1]) * (m[2] == "S" ? -1 : 1);
                const double lon = std::stod(m[3]) * (m[4] == "W" ? -1 : 1);
                decoded.emplace_back(lat, lon);
            }
        }
        ASSERT_FALSE(decoded.empty()) << capture;
        int compared = 0;
        for (const std::string& line : Lines(RunCommand("gpsdecode < " + path))) {
            std::smatch m;
            if (!std::regex_search(line, m, theirs)) {
                continue;
            }
            const double lat = std::stod(m[1]);
            const double lon = std::stod(m[2]);
            bool found = false;
            for (const auto& [ourLat, ourLon] : decoded) {
                found = found || (std::fabs(ourLat - lat) < 2e-5 && std::fabs(ourLon - lon) < 2e-5);
            }
            EXPECT_TRUE(found) << capture << ": " << lat << ", " << lon;
            ++compared;
        }
        EXPECT_GT(compared, 0) << capture;
    }
}

}  // namespace
