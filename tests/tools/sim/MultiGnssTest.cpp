// The simulator as a multi-GNSS receiver: the sentences of each NMEA version, and a sky of
// four systems as seen from places around the world.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "ReceiverModel.h"
#include "SentenceChecks.h"

using namespace kelmsim;
using simtest::fieldsOf;

namespace {

ReceiverSettings allSystemsAt(double lat, double lon, const char* time,
                              NmeaVersion version = NmeaVersion::V411) {
    ReceiverSettings s;
    s.start = {lat, lon, 30.0};
    s.speed = 0.0;
    s.startTime = *GpsClock::parse(time);
    s.startMode = ResetMode::Hot;
    s.format = {{GnssSystem::Gps, GnssSystem::Glonass, GnssSystem::Galileo, GnssSystem::Beidou},
                version};
    return s;
}

struct FormCase {
    NmeaVersion version;
    bool systemId;  // each GSA ends in the system ID, with the GN talker
    bool signalId;  // each GSV ends in the signal ID, RMC in the navigational status
};

TEST(MultiGnss, SentencesTakeTheFormOfTheNmeaVersion) {
    const FormCase cases[] = {{NmeaVersion::V411, true, true},
                              {NmeaVersion::V410, false, true},
                              {NmeaVersion::V400, false, false}};
    const std::map<std::string, std::string> talkerOfId = {
        {"1", "GP"}, {"2", "GL"}, {"3", "GA"}, {"4", "GB"}};
    const std::map<std::string, std::string> signalOf = {
        {"GP", "1"}, {"GL", "1"}, {"GA", "7"}, {"GB", "1"}};
    for (const FormCase& c : cases) {
        ReceiverModel model(allSystemsAt(24.12, 121.43, "2026-03-01T10:00:00", c.version));
        for (int s = 0; s < 10 && !model.epochData().hasFix(); ++s) {
            model.nextEpoch();
        }
        std::map<std::string, int> used;  // by system's talker, from GSA
        for (const std::string& sentence : model.nextEpoch()) {
            SCOPED_TRACE(sentence);
            EXPECT_TRUE(simtest::isValidSentence(sentence));
            const auto f = fieldsOf(sentence);
            const std::string talker = f[0].substr(0, 2);
            const std::string type = f[0].substr(2);
            EXPECT_TRUE((type != "GGA" && type != "RMC") || talker == "GN");
            if (type == "RMC") {
                EXPECT_EQ(f.size(), c.signalId ? 14u : 13u);
                EXPECT_EQ(f[2], "A");
            } else if (type == "GSV") {
                ASSERT_EQ(f.size() % 4, c.signalId ? 1u : 0u);
                EXPECT_TRUE(!c.signalId || f.back() == signalOf.at(talker));
            } else if (type == "GSA") {
                ASSERT_EQ(f.size(), c.systemId ? 19u : 18u);
                EXPECT_EQ(talker == "GN", c.systemId);
                const std::string system = c.systemId ? talkerOfId.at(f[18]) : talker;
                EXPECT_EQ(used.count(system), 0u) << "a second GSA of " << system;
                used[system] = static_cast<int>(std::count_if(
                    f.begin() + 3, f.begin() + 15, [](const auto& n) { return !n.empty(); }));
            }
        }
        for (const auto& [talker, signal] : signalOf) {
            EXPECT_GE(used[talker], 4) << talker;
        }
        // The rate commands switch a sentence of every system.
        model.apply(RateCommand{OutputSentence::GSV, 0, true});
        for (const std::string& sentence : model.nextEpoch()) {
            EXPECT_NE(fieldsOf(sentence)[0].substr(2), "GSV");
        }
    }
}

struct Place {
    const char* name;
    double lat, lon;
    bool beidouOverhead;  // under the geostationary BeiDou satellites
};

TEST(MultiGnss, TwentyToFortySatellitesInViewAllDayFromEverySystem) {
    const Place places[] = {{"Taipei", 24.12, 121.43, true},
                            {"Santiago", -33.45, -70.67, false},
                            {"Enschede", 52.22, 6.89, false},
                            {"Tromso", 69.65, 18.96, false}};
    const std::map<std::string, std::pair<int, int>> plausible = {
        {"GP", {5, 14}}, {"GL", {4, 12}}, {"GA", {4, 12}}, {"GB", {4, 18}}};
    for (const Place& place : places) {
        std::map<int, std::set<int>> geostationaryElevations;
        for (int minute = 0; minute < 24 * 60; minute += 20) {
            char time[32];
            std::snprintf(time, sizeof time, "2026-06-21T%02d:%02d:00", minute / 60, minute % 60);
            SCOPED_TRACE(std::string(place.name) + " " + time);
            ReceiverModel model(allSystemsAt(place.lat, place.lon, time));
            std::map<std::string, int> inView;
            for (const std::string& sentence : model.nextEpoch()) {
                const auto f = fieldsOf(sentence);
                const std::string talker = f[0].substr(0, 2);
                if (f[0].substr(2) != "GSV") {
                    continue;
                }
                inView[talker] = std::stoi(f[3]);
                for (std::size_t b = 4; talker == "GB" && b + 3 < f.size(); b += 4) {
                    if (std::stoi(f[b]) <= 3) {
                        geostationaryElevations[std::stoi(f[b])].insert(std::stoi(f[b + 1]));
                    }
                }
            }
            int total = 0;
            for (const auto& [talker, range] : plausible) {
                EXPECT_GE(inView[talker], range.first) << talker;
                EXPECT_LE(inView[talker], range.second) << talker;
                total += inView[talker];
            }
            EXPECT_GE(total, 20);
            EXPECT_LE(total, 40);
        }
        // Geostationary satellites stand still in the sky of those who see them.
        EXPECT_EQ(geostationaryElevations.size(), place.beidouOverhead ? 3u : 0u) << place.name;
        for (const auto& [number, elevations] : geostationaryElevations) {
            EXPECT_LE(*elevations.rbegin() - *elevations.begin(), 1) << "C0" << number;
        }
    }
}

}  // namespace
