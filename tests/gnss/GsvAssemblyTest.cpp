// GSV messages through the decoder: which fields are satellites, which groups count, and
// how long a satellite stays.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GnssDecoder.h"

namespace {

// "system svid/signal cno" of each satellite in view once `sentences` are decoded.
std::vector<std::string> InView(const std::vector<std::string>& sentences) {
    GnssDecoder decoder;
    for (const std::string& sentence : sentences) {
        decoder.Decode(sentence);
    }
    std::vector<std::string> seen;
    for (const SatelliteSignal& s : decoder.Current().satellites) {
        seen.push_back(std::string(GnssSystemName(s.id.system)) + " " + std::to_string(s.id.svid) +
                       "/" + std::to_string(s.signalId) + " " +
                       (s.cno ? std::to_string(*s.cno) : "-"));
    }
    return seen;
}

struct GsvCase {
    const char* name;
    std::vector<std::string> sentences;
    std::vector<std::string> expected;
};

class GsvAssembly : public testing::TestWithParam<GsvCase> {};

TEST_P(GsvAssembly, LeavesTheseSatellitesInView) {
    EXPECT_EQ(InView(GetParam().sentences), GetParam().expected);
}

const std::string kGroupA1 = "$GPGSV,2,1,05,01,10,100,31,02,20,200,32,03,30,300,,04,40,040,34*00";
const std::string kGroupA2 = "$GPGSV,2,2,05,05,50,050,35*00\r\n";
const std::string kGroupB1 = "GPGSV,2,1,05,11,10,100,41,12,20,200,42,13,30,300,43,14,40,040,44";
const std::string kGroupB2 = "GPGSV,2,2,05,15,50,050,45";
const std::vector<std::string> kA = {"GPS 1/-1 31", "GPS 2/-1 32", "GPS 3/-1 -", "GPS 4/-1 34",
                                     "GPS 5/-1 35"};

INSTANTIATE_TEST_SUITE_P(
    Messages, GsvAssembly,
    testing::Values(
        // The field count tells a signal ID from a satellite.
        GsvCase{"SignalIdAfterOneSatellite", {"GPGSV,1,1,01,32,76,331,31,6"}, {"GPS 32/6 31"}},
        GsvCase{"NoSignalIdAfterFourSatellites",
                {"GPGSV,1,1,04,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11"},
                {"GPS 5/-1 19", "GPS 10/-1 34", "GPS 13/-1 29", "GPS 15/-1 11"}},
        GsvCase{"HexSignalIdAfterFourSatellites",
                {"GBGSV,1,1,04,01,29,321,,03,12,292,,04,37,345,,08,49,229,27,B"},
                {"BeiDou 1/11 -", "BeiDou 3/11 -", "BeiDou 4/11 -", "BeiDou 8/11 27"}},
        GsvCase{"EmptySignalIdField", {"GBGSV,1,1,01,21,41,301,,"}, {"BeiDou 21/-1 -"}},
        GsvCase{"CutBlockIsNoSatellite", {"GPGSV,1,1,02,32,76,331,31,6,7"}, {"GPS 32/-1 31"}},
        GsvCase{"BadSignalIdDropsTheMessage", {"GPGSV,1,1,01,32,76,331,31,X"}, {}},
        GsvCase{"EmptyPaddingBlocks", {"GPGSV,1,1,01,32,76,331,31,,,,"}, {"GPS 32/-1 31"}},
        GsvCase{"TalkerChoosesTheNumbering",
                {"GLGSV,1,1,02,65,53,144,,02,58,305,32,1", "GAGSV,1,1,01,33,62,034,08,7"},
                {"GLONASS 1/1 -", "GLONASS 2/1 32", "Galileo 33/7 8"}},
        // Groups: only a whole group replaces what its talker and signal reported.
        GsvCase{"WholeGroup", {kGroupA1, kGroupA2}, kA},
        GsvCase{"GroupStartingAtTwo", {kGroupA2}, {}}, GsvCase{"IncompleteGroup", {kGroupA1}, {}},
        GsvCase{"MissingMessage", {"GPGSV,3,1,09,01,10,100,31", "GPGSV,3,3,09,05,50,050,35"}, {}},
        GsvCase{"IncompleteGroupReplacesNothing", {kGroupA1, kGroupA2, kGroupB1}, kA},
        GsvCase{"CompleteGroupReplacesAll",
                {kGroupA1, kGroupA2, kGroupB1, kGroupB2},
                {"GPS 11/-1 41", "GPS 12/-1 42", "GPS 13/-1 43", "GPS 14/-1 44", "GPS 15/-1 45"}},
        GsvCase{"OtherSignalKeepsItsOwn",
                {kGroupA1, kGroupA2, "GPGSV,1,1,01,05,50,050,20,6"},
                {"GPS 1/-1 31", "GPS 2/-1 32", "GPS 3/-1 -", "GPS 4/-1 34", "GPS 5/-1 35",
                 "GPS 5/6 20"}},
        GsvCase{"MessageOfAnotherCountBreaksTheGroup", {kGroupA1, "GPGSV,3,2,09,05,50,050,35"}, {}},
        // Satellites leave after six seconds of the data's time without a report.
        GsvCase{"KeptForSixSeconds",
                {"GPRMC,120000.00,A", kGroupA1, kGroupA2, "GPRMC,120006.00,A", "GPRMC,120007.00,A"},
                kA},
        GsvCase{"GoneAfterSeven",
                {"GPRMC,120000.00,A", kGroupA1, kGroupA2, "GPRMC,120007.00,A", "GPRMC,120008.00,A"},
                {}},
        GsvCase{"AgedAcrossMidnight",
                {"GPRMC,235958.00,A", kGroupA1, kGroupA2, "GPRMC,000004.00,A", "GPRMC,000005.00,A",
                 "GPRMC,000006.00,A"},
                {}},
        GsvCase{"KeptAcrossMidnight",
                {"GPRMC,235958.00,A", kGroupA1, kGroupA2, "GPRMC,000003.00,A", "GPRMC,000004.00,A"},
                kA},
        GsvCase{"AgedByEpochsWithoutTime",
                {"GPGGA,,,,,,0", kGroupA1, kGroupA2, "GPGGA,,,,,,0", "GPGGA,,,,,,0", "GPGGA,,,,,,0",
                 "GPGGA,,,,,,0", "GPGGA,,,,,,0", "GPGGA,,,,,,0", "GPGGA,,,,,,0", "GPGGA,,,,,,0"},
                {}}),
    [](const testing::TestParamInfo<GsvCase>& info) { return info.param.name; });

// Groups of 99 satellites for three signals: the table holds 256 entries, and a smaller
// group frees its room for the next.
TEST(SatelliteTable, HoldsAtMostItsCapacity) {
    GnssDecoder decoder;
    const auto sendGroup = [&decoder](int signal, int satellites) {
        const int messages = (satellites + 3) / 4;
        for (int m = 0; m < messages; ++m) {
            std::string text = "GNGSV," + std::to_string(messages) + "," + std::to_string(m + 1) +
                               "," + std::to_string(satellites);
            for (int n = m * 4; n < std::min(m * 4 + 4, satellites); ++n) {
                text += "," + std::to_string(n < 96 ? n + 1 : n + 60) + ",10,100,30";
            }
            decoder.Decode(text + "," + std::to_string(signal));
        }
        return decoder.Satellites().Entries().size();
    };
    EXPECT_EQ(sendGroup(1, 99), 99u);
    EXPECT_EQ(sendGroup(2, 99), 198u);
    EXPECT_EQ(sendGroup(3, 99), SatelliteTable::kCapacity);
    EXPECT_EQ(sendGroup(1, 10), 10u + 99u + 58u);
    EXPECT_EQ(sendGroup(3, 99), 10u + 99u + 99u);
}

}  // namespace
