#include "LogDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
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

// A satellite as the channel slots hold it: number, elevation, azimuth, C/No.
using Satellite = std::tuple<int, int, int, int>;

// Every satellite the channel slots held at the end of a GSV message.
std::set<Satellite> SlotsAfterGsv(const std::string& decoded) {
    const std::regex slot(
        "\\{\"prn\":(\\d+),\"elevation\":(-?\\d+),\"azimuth\":(-?\\d+),\"snr\":(\\d+)\\}");
    std::set<Satellite> held;
    for (const std::string& line : Lines(decoded)) {
        if (line.rfind("{\"sentence\":\"GPGSV", 0) != 0) {
            continue;
        }
        for (std::sregex_iterator m(line.begin(), line.end(), slot), end; m != end; ++m) {
            held.emplace(std::stoi((*m)[1]), std::stoi((*m)[2]), std::stoi((*m)[3]),
                         std::stoi((*m)[4]));
        }
    }
    return held;
}

// The numbers GPGSV messages 1 to 3 of a capture list: the satellites twelve slots can hold.
std::set<int> GpsGroupNumbers(const std::string& capture) {
    std::set<int> numbers;
    std::istringstream lines(capture);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("$GPGSV,", 0) != 0) {
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream split(line.substr(0, line.find('*')));
        for (std::string field; std::getline(split, field, ',');) {
            fields.push_back(field);
        }
        if (fields.size() < 4 || fields[2].empty() || std::stoi(fields[2]) > 3) {
            continue;
        }
        for (std::size_t i = 4; i < fields.size(); i += 4) {
            if (!fields[i].empty()) {
                numbers.insert(std::stoi(fields[i]));
            }
        }
    }
    return numbers;
}

// Untracked satellites (an empty C/No) come before tracked ones in half of all GSV sentences;
// each satellite that Debian's gpsdecode lists from the GP groups must have been held in the
// slots with the same values (an elevation or azimuth gpsdecode leaves out is not compared).
TEST(LogDecoder, HoldsEverySatelliteAnIndependentDecoderListsForTheGpsGroups) {
    if (RunCommand("command -v gpsdecode").empty()) {
        GTEST_SKIP() << "gpsdecode (package gpsd-clients) is not installed";
    }
    const std::regex listed(
        "\\{\"PRN\":(\\d+),(\"el\":([-0-9.]+),)?(\"az\":([-0-9.]+),)?"
        "\"ss\":([0-9.]+),\"used\":\\w+,\"gnssid\":([01]),");
    for (const char* capture : {"mtk-3301.log", "iTrek.log", "garmin-geko201.log", "neo-m8n.log",
                                "ublox-zed-f9p-nmea.log", "bu353-glonass.log"}) {
        const std::string path = std::string(KELMSTAR_CAPTURES) + "/" + capture;
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::set<Satellite> held = SlotsAfterGsv(DecodeText(text.str()));
        const std::set<int> groupNumbers = GpsGroupNumbers(text.str());
        int compared = 0;
        for (const std::string& line : Lines(RunCommand("gpsdecode < " + path))) {
            for (std::sregex_iterator m(line.begin(), line.end(), listed), end; m != end; ++m) {
                const int prn = std::stoi((*m)[1]);
                if (groupNumbers.count(prn) == 0) {
                    continue;  // a fourth GSV message's satellite, or another talker's
                }
                const bool hasEl = (*m)[3].matched;
                const bool hasAz = (*m)[5].matched;
                const int el = hasEl ? static_cast<int>(std::stod((*m)[3])) : 0;
                const int az = hasAz ? static_cast<int>(std::stod((*m)[5])) : 0;
                const int ss = static_cast<int>(std::stod((*m)[6]));
                bool found = false;
                for (const auto& [hPrn, hEl, hAz, hSnr] : held) {
                    found = found || (hPrn == prn && hSnr == ss && (!hasEl || hEl == el) &&
                                      (!hasAz || hAz == az));
                }
                EXPECT_TRUE(found) << capture << ": satellite " << prn << " el " << el << " az "
                                   << az << " C/No " << ss;
                ++compared;
            }
        }
        EXPECT_GT(compared, 0) << capture;
    }
}

}  // namespace
