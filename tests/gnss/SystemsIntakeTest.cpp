#include "SystemsIntake.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "HiddenTalkers.h"
#include "RecordingListener.h"
#include "SentenceDecoder.h"

namespace {

// Every sentence of a capture, framed as the intake frames them.
template <typename Each>
void ForEachSentence(const char* capture, Each each) {
    std::ifstream in(std::string(KELMSTAR_CAPTURES) + "/" + capture);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("$")) {
            SentenceBuffer sentence;
            std::snprintf(sentence.bytes, sizeof sentence.bytes, "%s\n", line.c_str() + 1);
            each(sentence);
        }
    }
}

// "GPS only" is the program's own decoder, call for call and value for value; the satellite
// list beside it (the Satellites view) hears the GPS talker only.
TEST(SystemsIntake, GpsOnlyIsTheProgramsOwnDecoder) {
    SystemsIntake intake;
    NavState ours;
    NavState own;
    RecordingListener oursHeard;
    RecordingListener ownHeard;
    ForEachSentence("bu353-glonass.log", [&](const SentenceBuffer& sentence) {
        intake.Decode(sentence, ours, oursHeard);
        DecodeSentence(sentence, own, ownHeard);
    });
    EXPECT_EQ(oursHeard.calls, ownHeard.calls);
    EXPECT_EQ(ours.latitude, own.latitude);
    EXPECT_EQ(ours.sats[0].prn, own.sats[0].prn);
    const auto& entries = intake.Gnss().Satellites().Entries();
    EXPECT_FALSE(entries.empty());
    for (const SatelliteTable::Entry& entry : entries) {
        const GnssSystem system = entry.signal.id.system;
        EXPECT_TRUE(system == GnssSystem::Gps || system == GnssSystem::Sbas)
            << GnssSystemName(system) << " " << entry.signal.id.svid;
    }
}

TEST(SystemsIntake, AllSystemsKeepTheCombinedFixAndTheStrongestSatellites) {
    SystemsIntake intake;
    intake.SetSystems(SatelliteSystems::All);
    NavState nav;
    RecordingListener heard;
    ForEachSentence("ublox-zed-f9p-nmea.log",
                    [&](const SentenceBuffer& sentence) { intake.Decode(sentence, nav, heard); });
    // Dunedin, NZ: 45.88 S, 170.50 E, from $GNRMC and $GNGGA.
    EXPECT_EQ(nav.latHemisphere, 'S');
    EXPECT_NEAR(nav.latitude, 45.8776, 1e-3);
    EXPECT_EQ(nav.lonHemisphere, 'E');
    EXPECT_NEAR(nav.longitude, 170.5001, 1e-3);
    EXPECT_EQ(nav.fixAvailable, 1);
    EXPECT_GT(nav.satsInView, 12);
    for (std::size_t slot = 1; slot < nav.sats.size(); ++slot) {
        EXPECT_GE(nav.sats[slot - 1].snr, nav.sats[slot].snr) << "strongest first";
    }
}

TEST(HiddenTalkers, NamesEachOtherTalkerOnceInTheOrderTheyCame) {
    HiddenTalkers talkers;
    EXPECT_EQ(talkers.Text(), "");
    const std::pair<const char*, bool> sentences[] = {
        {"GPGGA,1*00\r\n", false}, {"GNRMC,1*00\r\n", true},  {"GNGGA,1*00\r\n", false},
        {"GLGSV,1*00\r\n", true},  {"PUBX,00*00\r\n", false}, {"GAGSV,1*00\r\n", true},
    };
    for (const auto& [sentence, first] : sentences) {
        EXPECT_EQ(talkers.Note(sentence), first) << sentence;
    }
    EXPECT_EQ(talkers.Text(), "GN, GL and GA sentences are not shown: Setup > Satellite Systems");
}

}  // namespace
