#include "LineStatistics.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

LineCounts CountsOf(const std::string& stream) {
    LineStatistics stats;
    stats.Add(stream.data(), stream.size());
    return stats.Counts();
}

struct Case {
    const char* name;
    std::string stream;
    std::uint64_t sentences, ok, errors, none, cut, overlong, noise;
};

TEST(LineStatistics, CountsWhatTheStreamHolds) {
    const std::string rmc =
        "$GPRMC,092751.000,A,5321.6802,N,00630.3371,W,0.06,31.66,280511,,,A*45\r\n";
    const Case cases[] = {
        {"good", rmc, 1, 1, 0, 0, 0, 0, 0},
        {"lower-case digits", "$GPGLL,1*4d\r\n", 1, 1, 0, 0, 0, 0, 0},
        {"wrong sum", "$GPGLL,1*4E\r\n", 1, 0, 1, 0, 0, 0, 0},
        {"not hex", "$GPGLL,1*ZZ\r\n", 1, 0, 1, 0, 0, 0, 0},
        {"three digits", "$GPGLL,1*4D0\r\n", 1, 0, 1, 0, 0, 0, 0},
        {"no checksum", "$GPGLL,1\r\n$GPGLL,1\n", 2, 0, 0, 2, 0, 0, 0},
        {"noise around", "ab" + rmc + "\x13\xff", 1, 1, 0, 0, 0, 0, 4},
        {"cut by the next", "$GPGGA,12" + rmc, 1, 1, 0, 0, 1, 0, 0},
        {"unfinished", "$GPGGA,12", 0, 0, 0, 0, 0, 0, 0},
        {"overlong", "$GP" + std::string(300, 'x') + "\n" + rmc, 1, 1, 0, 0, 0, 1, 0},
        {"longest kept", "$" + std::string(198, 'x') + "\n", 1, 0, 0, 1, 0, 0, 0},
        {"one too long", "$" + std::string(199, 'x') + "\n", 0, 0, 0, 0, 0, 1, 0},
        {"encapsulated", "!AIVDM,1,1,,A,13aG?P,0*6D\r\n", 1, 1, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LineCounts n = CountsOf(c.stream);
        EXPECT_EQ(n.bytes, c.stream.size());
        EXPECT_EQ(n.sentences, c.sentences);
        EXPECT_EQ(n.checksumOk, c.ok);
        EXPECT_EQ(n.checksumErrors, c.errors);
        EXPECT_EQ(n.noChecksum, c.none);
        EXPECT_EQ(n.cut, c.cut);
        EXPECT_EQ(n.overlong, c.overlong);
        EXPECT_EQ(n.noiseBytes, c.noise);
    }
}

TEST(LineStatistics, KindsFollowTheTypeWhateverTheTalker) {
    const std::pair<const char*, LineSentenceKind> cases[] = {
        {"GPGSV", LineSentenceKind::Gsv},           {"GNGGA", LineSentenceKind::Gga},
        {"GLGSA", LineSentenceKind::Gsa},           {"GPRMC", LineSentenceKind::Rmc},
        {"GPVTG", LineSentenceKind::Vtg},           {"GPGLL", LineSentenceKind::Gll},
        {"GPZDA", LineSentenceKind::OtherStandard}, {"", LineSentenceKind::OtherStandard},
        {"PGRME", LineSentenceKind::Proprietary},   {"PQKL103", LineSentenceKind::Proprietary},
    };
    for (const auto& [address, kind] : cases) {
        EXPECT_EQ(LineStatistics::KindOf(address), kind) << address;
    }
}

// A real receiver's capture, fed in awkward pieces: each address is counted as often as
// lines of the file carry it. Its last line was cut after the "*" when it was recorded.
TEST(LineStatistics, CountsEveryLineOfARealCapture) {
    std::ifstream in(KELMSTAR_CAPTURES "/garmin-geko201.log");
    ASSERT_TRUE(in);
    std::map<std::string, std::uint64_t> expected;
    std::string stream, line;
    std::uint64_t sentences = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '$') {
            continue;
        }
        ++expected[line.substr(1, line.find(',') - 1)];
        ++sentences;
        stream += line + "\r\n";
    }
    LineStatistics stats;
    for (std::size_t at = 0; at < stream.size(); at += 7) {
        stats.Add(stream.data() + at, std::min<std::size_t>(7, stream.size() - at));
    }
    EXPECT_EQ(stats.Counts().sentences, sentences);
    EXPECT_EQ(stats.Counts().checksumOk, sentences - 1);
    EXPECT_EQ(stats.Counts().checksumErrors, 1u);
    EXPECT_EQ(stats.Counts().noiseBytes, 0u);
    std::map<std::string, std::uint64_t> counted;
    for (std::size_t i = 0; i < stats.AddressCountUsed(); ++i) {
        counted[stats.Addresses()[i].address] = stats.Addresses()[i].count;
    }
    EXPECT_EQ(counted, expected);
}

}  // namespace
