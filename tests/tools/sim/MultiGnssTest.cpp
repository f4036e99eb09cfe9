// The simulator as a multi-GNSS receiver: the sentences of each NMEA version, and a sky of
// four systems as seen from places around the world.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ReceiverModel.h"
#include "SentenceChecks.h"

using namespace kelmsim;
using simtest::fieldsOf;

namespace {

const std::vector<GnssSystem> kAllSystems = {GnssSystem::Gps, GnssSystem::Glonass,
                                             GnssSystem::Galileo, GnssSystem::Beidou};

ReceiverSettings allSystemsAt(double lat, double lon, const char* time,
                              NmeaVersion version = NmeaVersion::V411) {
    ReceiverSettings s;
    s.start = {lat, lon, 30.0};
    s.speed = 0.0;
    s.startTime = *GpsClock::parse(time);
    s.startMode = ResetMode::Hot;
    s.format = {kAllSystems, version};
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
        ASSERT_TRUE(model.epochData().hasFix()) << nmeaVersionName(c.version);
        const auto epoch = model.nextEpoch();
        std::map<std::string, std::set<std::string>> tracked;  // by talker, from GSV
        std::map<std::string, std::vector<std::string>> used;  // by system's talker, from GSA
        for (const std::string& sentence : epoch) {
            SCOPED_TRACE(sentence);
            EXPECT_TRUE(simtest::isValidSentence(sentence));
            const auto f = fieldsOf(sentence);
            const std::string talker = f[0].substr(0, 2);
            const std::string type = f[0].substr(2);
            if (type == "GGA" || type == "RMC") {
                EXPECT_EQ(talker, "GN");
            }
            if (type == "RMC") {
                EXPECT_EQ(f.size(), c.signalId ? 14u : 13u);
            } else if (type == "GSV") {
                ASSERT_EQ(f.size() % 4, c.signalId ? 1u : 0u);
                EXPECT_TRUE(!c.signalId || f.back() == signalOf.at(talker));
                for (std::size_t b = 4; b + 3 < f.size(); b += 4) {
                    if (!f[b + 3].empty()) {
                        tracked[talker].insert(f[b]);
                    }
                }
            } else if (type == "GSA") {
                ASSERT_EQ(f.size(), c.systemId ? 19u : 18u);
                EXPECT_EQ(talker == "GN", c.systemId);
                const std::string system = c.systemId ? talkerOfId.at(f[18]) : talker;
                EXPECT_EQ(used.count(system), 0u) << "a second GSA of " << system;
                used[system] = {f.begin() + 3, f.begin() + 15};
            }
        }
        for (const auto& [talker, signal] : signalOf) {
            int count = 0;
            for (const std::string& number : used[talker]) {
                count += !number.empty();
                EXPECT_TRUE(number.empty() || tracked[talker].count(number))
                    << talker << " GSA lists " << number << ", which its GSV shows untracked";
            }
            EXPECT_GE(count, 4) << talker;
        }
    }
}

struct Place {
    const char* name;
    double lat;
    double lon;
    bool beidouOverhead;  // under the geostationary BeiDou satellites
};

TEST(MultiGnss, TwentyToFortySatellitesInViewAllDayFromEverySystem) {
    const Place places[] = {{"Taipei", 24.12, 121.43, true},
                            {"Santiago", -33.45, -70.67, false},
                            {"Enschede", 52.22, 6.89, false},
                            {"Tromso", 69.65, 18.96, false}};
    // Plausible numbers in view per system, and the numbers NMEA gives them.
    const std::map<std::string, std::pair<int, int>> counts = {
        {"GP", {5, 14}}, {"GL", {4, 12}}, {"GA", {4, 12}}, {"GB", {4, 18}}};
    const std::map<std::string, std::pair<int, int>> numbers = {
        {"GP", {1, 32}}, {"GL", {65, 96}}, {"GA", {1, 36}}, {"GB", {1, 63}}};
    for (const Place& place : places) {
        std::map<int, std::set<int>> geostationaryElevations;
        for (int minute = 0; minute < 24 * 60; minute += 20) {
            char time[32];
            std::snprintf(time, sizeof time, "2026-06-21T%02d:%02d:00", minute / 60, minute % 60);
            ReceiverModel model(allSystemsAt(place.lat, place.lon, time));
            std::map<std::string, int> inView;
            for (const std::string& sentence : model.nextEpoch()) {
                const auto f = fieldsOf(sentence);
                if (f[0].substr(2) != "GSV") {
                    continue;
                }
                const std::string talker = f[0].substr(0, 2);
                inView[talker] = std::stoi(f[3]);
                for (std::size_t b = 4; b + 3 < f.size(); b += 4) {
                    const int number = std::stoi(f[b]);
                    EXPECT_GE(number, numbers.at(talker).first) << sentence;
                    EXPECT_LE(number, numbers.at(talker).second) << sentence;
                    if (talker == "GB" && number <= 3) {
                        geostationaryElevations[number].insert(std::stoi(f[b + 1]));
                    }
                }
            }
            int total = 0;
            for (const auto& [talker, range] : counts) {
                EXPECT_GE(inView[talker], range.first) << place.name << " " << time << talker;
                EXPECT_LE(inView[talker], range.second) << place.name << " " << time << talker;
                total += inView[talker];
            }
            EXPECT_GE(total, 20) << place.name << " " << time;
            EXPECT_LE(total, 40) << place.name << " " << time;
        }
        // Geostationary satellites stand still in the sky of those who see them.
        EXPECT_EQ(geostationaryElevations.size(), place.beidouOverhead ? 3u : 0u) << place.name;
        for (const auto& [number, elevations] : geostationaryElevations) {
            EXPECT_LE(*elevations.rbegin() - *elevations.begin(), 1) << "C0" << number;
        }
    }
}

TEST(MultiGnss, RateCommandsSwitchTheSentencesOfEverySystem) {
    ReceiverModel model(allSystemsAt(52.22, 6.89, "2026-03-01T10:00:00"));
    model.apply(RateCommand{OutputSentence::GSV, 0, true});
    model.apply(RateCommand{OutputSentence::GGA, 2, true});
    std::map<std::string, int> types;
    for (int s = 0; s < 4; ++s) {
        for (const std::string& sentence : model.nextEpoch()) {
            ++types[fieldsOf(sentence)[0].substr(2)];
        }
    }
    EXPECT_EQ(types["GSV"], 0);
    EXPECT_EQ(types["GGA"], 2);
    EXPECT_EQ(types["GSA"], 4 * 4);
    EXPECT_EQ(types["RMC"], 4);
}

}  // namespace
