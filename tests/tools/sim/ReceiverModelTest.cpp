#include "ReceiverModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "SentenceChecks.h"

using namespace kelmsim;
using simtest::fieldsOf;

namespace {

ReceiverSettings settingsAt(double lat, double lon, ResetMode mode = ResetMode::Warm) {
    ReceiverSettings s;
    s.start = {lat, lon, 120.0};
    s.startTime = *GpsClock::parse("2026-03-01T10:00:00");
    s.startMode = mode;
    s.seed = 7;
    return s;
}

// Sentences of one epoch by address ("GPGGA" ...); GSV messages all kept in order.
std::multimap<std::string, std::string> byAddress(const std::vector<std::string>& sentences) {
    std::multimap<std::string, std::string> out;
    for (const auto& s : sentences) {
        out.emplace(fieldsOf(s)[0], s);
    }
    return out;
}

std::string first(const std::vector<std::string>& sentences, const std::string& address) {
    const auto m = byAddress(sentences);
    const auto it = m.find(address);
    return it == m.end() ? std::string() : it->second;
}

bool hasFix(const std::vector<std::string>& sentences) {
    return fieldsOf(first(sentences, "GPGSA"))[2] == "3";
}

// Seconds from now until the first epoch with a 3D fix (at most limit).
int secondsToFix(ReceiverModel& model, int limit) {
    for (int s = 0; s < limit; ++s) {
        if (hasFix(model.nextEpoch())) {
            return s;
        }
    }
    return limit;
}

double distanceMetres(const GeoPosition& a, const GeoPosition& b) {
    const double k = 3.14159265358979 / 180.0;
    const double dn = (b.latitude - a.latitude) * k * 6371000.0;
    const double de = (b.longitude - a.longitude) * k * 6371000.0 * std::cos(a.latitude * k);
    return std::hypot(dn, de);
}

TEST(ReceiverModel, DefaultOutputIsGgaGsaGsvRmcWithValidSentences) {
    ReceiverModel model(settingsAt(52.2, 6.9));
    for (int s = 0; s < 20; ++s) {
        const auto sentences = model.nextEpoch();
        const auto m = byAddress(sentences);
        EXPECT_EQ(m.count("GPGGA"), 1u);
        EXPECT_EQ(m.count("GPGSA"), 1u);
        EXPECT_EQ(m.count("GPRMC"), 1u);
        EXPECT_GE(m.count("GPGSV"), 1u);
        EXPECT_LE(m.count("GPGSV"), 3u);
        EXPECT_EQ(m.count("GPGLL") + m.count("GPVTG"), 0u);
        for (const auto& sentence : sentences) {
            EXPECT_TRUE(simtest::isValidSentence(sentence));
        }
    }
}

TEST(ReceiverModel, NoFixAtFirstThenThreeDimensionalFix) {
    ReceiverModel model(settingsAt(52.2, 6.9));
    const auto firstEpoch = model.nextEpoch();
    EXPECT_EQ(fieldsOf(first(firstEpoch, "GPGGA"))[2], "");
    EXPECT_EQ(fieldsOf(first(firstEpoch, "GPGGA"))[6], "0");
    EXPECT_EQ(fieldsOf(first(firstEpoch, "GPRMC"))[2], "V");
    EXPECT_EQ(fieldsOf(first(firstEpoch, "GPGSA"))[2], "1");

    const int toFix = secondsToFix(model, 60);
    EXPECT_GE(toFix + 1, 3);
    EXPECT_LE(toFix + 1, 15);
    const auto fixed = model.nextEpoch();
    EXPECT_EQ(fieldsOf(first(fixed, "GPRMC"))[2], "A");
    EXPECT_NE(fieldsOf(first(fixed, "GPGGA"))[2], "");
}

TEST(ReceiverModel, SkyHasUpToTwelveSlowlyMovingSatellitesSomeUntracked) {
    ReceiverModel model(settingsAt(52.2, 6.9, ResetMode::Hot));
    std::map<int, std::pair<int, int>> previous;
    bool sawUntracked = false;
    for (int s = 0; s < 600; ++s) {
        const auto m = byAddress(model.nextEpoch());
        const auto range = m.equal_range("GPGSV");
        std::size_t count = 0;
        for (auto it = range.first; it != range.second; ++it) {
            const auto f = fieldsOf(it->second);
            count = std::stoul(f[3]);
            for (std::size_t b = 4; b + 3 < f.size(); b += 4) {
                const int prn = std::stoi(f[b]);
                const int el = std::stoi(f[b + 1]);
                const int az = std::stoi(f[b + 2]);
                EXPECT_GE(el, 0);
                EXPECT_LE(el, 90);
                EXPECT_LT(az, 360);
                sawUntracked |= f[b + 3].empty();
                if (previous.count(prn)) {
                    // A GPS satellite crosses the sky in hours, not seconds.
                    EXPECT_LE(std::abs(el - previous[prn].first), 1) << "prn " << prn;
                }
                previous[prn] = {el, az};
            }
        }
        EXPECT_GE(count, 4u);
        EXPECT_LE(count, 12u);
    }
    EXPECT_TRUE(sawUntracked);
}

struct Quadrant {
    double lat, lon;
    const char* ns;
    const char* ew;
};

TEST(ReceiverModel, TrackMovesAFewMetresPerSecondInEveryHemisphere) {
    const Quadrant quadrants[] = {{52.2, 6.9, "N", "E"},
                                  {-33.9, -70.7, "S", "W"},
                                  {35.7, -120.1, "N", "W"},
                                  {-41.3, 174.8, "S", "E"}};
    for (const auto& q : quadrants) {
        ReceiverModel model(settingsAt(q.lat, q.lon, ResetMode::Hot));
        GeoPosition last = model.track().position();
        const double startCourse = model.track().course();
        double maxTurn = 0.0;
        for (int s = 0; s < 120; ++s) {
            // Even a hot start has no fix for its first seconds.
            const auto rmc = fieldsOf(first(model.nextEpoch(), "GPRMC"));
            EXPECT_EQ(rmc[4], rmc[2] == "A" ? q.ns : "");
            EXPECT_EQ(rmc[6], rmc[2] == "A" ? q.ew : "");
            const GeoPosition now = model.track().position();
            const double step = distanceMetres(last, now);
            EXPECT_GT(step, 2.0);
            EXPECT_LT(step, 8.0);
            last = now;
            const double turn =
                std::fabs(std::remainder(model.track().course() - startCourse, 360));
            maxTurn = std::max(maxTurn, turn);
        }
        EXPECT_GT(maxTurn, 20.0) << "the track should turn";
        EXPECT_LT(distanceMetres({q.lat, q.lon, 0}, last), 1000.0);
    }
}

TEST(ReceiverModel, WithoutScatterTheReportedPositionIsTheTrack) {
    ReceiverSettings settings = settingsAt(-33.8688, -70.6693, ResetMode::Hot);
    settings.scatter = 0.0;
    ReceiverModel model(settings);
    GeoPosition at = model.track().position();
    std::vector<std::string> gga = fieldsOf(first(model.nextEpoch(), "GPGGA"));
    for (int s = 0; s < 5 && gga[2].empty(); ++s) {
        at = model.track().position();
        gga = fieldsOf(first(model.nextEpoch(), "GPGGA"));
    }
    const double lat = std::stod(gga[2].substr(0, 2)) + std::stod(gga[2].substr(2)) / 60.0;
    const double lon = std::stod(gga[4].substr(0, 3)) + std::stod(gga[4].substr(3)) / 60.0;
    EXPECT_NEAR(-lat, at.latitude, 1e-5);
    EXPECT_NEAR(-lon, at.longitude, 1e-5);
}

// Standing still for two hours, the fixes spread as asked around the true place, and
// each lies close to the one before: the error wanders, it is not drawn afresh each second.
TEST(ReceiverModel, StandingStillTheFixesSpreadAsAskedAndWander) {
    const double metresPerDegree = 3.14159265358979 / 180.0 * 6371000.0;
    for (double scatter : {1.5, 4.0}) {
        ReceiverSettings settings = settingsAt(52.2, 6.9, ResetMode::Hot);
        settings.speed = 0.0;
        settings.scatter = scatter;
        ReceiverModel model(settings);
        std::vector<double> axes[3];  // north, east, up in metres
        for (int s = 0; s < 2 * 3600; ++s) {
            const auto gga = fieldsOf(first(model.nextEpoch(), "GPGGA"));
            if (!gga[2].empty()) {
                const double lat =
                    std::stod(gga[2].substr(0, 2)) + std::stod(gga[2].substr(2)) / 60;
                const double lon =
                    std::stod(gga[4].substr(0, 3)) + std::stod(gga[4].substr(3)) / 60;
                axes[0].push_back((lat - 52.2) * metresPerDegree);
                axes[1].push_back((lon - 6.9) * metresPerDegree * std::cos(52.2 / 57.29578));
                axes[2].push_back(std::stod(gga[9]) - settings.start.altitude);
            }
        }
        for (int axis = 0; axis < 3; ++axis) {
            const std::vector<double>& x = axes[axis];
            ASSERT_GT(x.size(), 7000u);
            const double mean = std::accumulate(x.begin(), x.end(), 0.0) / x.size();
            const auto covariance = [&](std::size_t lag) {
                double sum = 0.0;
                for (std::size_t i = 0; i + lag < x.size(); ++i) {
                    sum += (x[i] - mean) * (x[i + lag] - mean);
                }
                return sum / static_cast<double>(x.size());
            };
            const double sigma = axis == 2 ? 2.0 * scatter : scatter;
            SCOPED_TRACE(std::to_string(scatter) + " m, axis " + std::to_string(axis));
            EXPECT_NEAR(std::sqrt(covariance(0)), sigma, 0.3 * sigma);
            EXPECT_LT(std::fabs(mean), 0.5 * sigma);
            EXPECT_GT(covariance(1) / covariance(0), 0.9);
            EXPECT_LT(covariance(300) / covariance(0), 0.5);
        }
    }
}

TEST(ReceiverModel, RateCommandSwitchesSentencesAndIntervals) {
    ReceiverModel model(settingsAt(52.2, 6.9, ResetMode::Hot));
    model.apply(RateCommand{OutputSentence::GGA, 0, true});
    model.apply(RateCommand{OutputSentence::VTG, 1, true});
    model.apply(RateCommand{OutputSentence::GLL, 1, true});
    model.apply(RateCommand{OutputSentence::RMC, 3, true});
    int rmcCount = 0;
    for (int s = 0; s < 12; ++s) {
        const auto m = byAddress(model.nextEpoch());
        EXPECT_EQ(m.count("GPGGA"), 0u);
        EXPECT_EQ(m.count("GPVTG"), 1u);
        EXPECT_EQ(m.count("GPGLL"), 1u);
        rmcCount += static_cast<int>(m.count("GPRMC"));
    }
    EXPECT_EQ(rmcCount, 4);
}

TEST(ReceiverModel, ChecksumFlagDropsTheChecksumOfThatSentenceOnly) {
    ReceiverModel model(settingsAt(52.2, 6.9, ResetMode::Hot));
    model.apply(RateCommand{OutputSentence::GSV, 1, false});
    for (const auto& s : model.nextEpoch()) {
        if (fieldsOf(s)[0] == "GPGSV") {
            EXPECT_EQ(s.find('*'), std::string::npos) << s;
            EXPECT_EQ(s.substr(s.size() - 2), "\r\n");
        } else {
            EXPECT_TRUE(simtest::isValidSentence(s));
        }
    }
}

TEST(ReceiverModel, HigherRateGivesMoreGroupsPerSecond) {
    ReceiverSettings settings = settingsAt(52.2, 6.9, ResetMode::Hot);
    settings.rateHz = 5;
    ReceiverModel model(settings);
    std::vector<std::string> times;
    for (int i = 0; i < 5; ++i) {
        times.push_back(fieldsOf(first(model.nextEpoch(), "GPGGA"))[1]);
    }
    EXPECT_EQ(times, (std::vector<std::string>{"100000.00", "100000.20", "100000.40", "100000.60",
                                               "100000.80"}));
}

struct RestartCase {
    ResetMode mode;
    int minNoFix;
    int maxNoFix;
};

// Seconds from a restart to the first fix vary with the seed, each mode in its own range.
TEST(ReceiverModel, RestartTakesPositionAndTimeAndLosesTheFixByMode) {
    const RestartCase cases[] = {
        {ResetMode::Hot, 1, 3}, {ResetMode::Warm, 8, 15}, {ResetMode::Cold, 30, 45}};
    constexpr int kSeeds = 6;
    std::map<ResetMode, std::set<int>> seen;
    for (int i = 0; i < 3 * kSeeds; ++i) {
        const RestartCase& c = cases[i / kSeeds];
        ReceiverSettings settings = settingsAt(52.2, 6.9);
        settings.seed = 1 + i % kSeeds;
        ReceiverModel model(settings);
        ASSERT_LT(secondsToFix(model, 60), 60);
        ResetCommand reset;
        reset.latitude = -33.8688;
        reset.longitude = -70.6693;
        reset.altitude = 520;
        reset.week = 2410;
        reset.timeOfWeek = 345600 + 3600;  // Thursday 2026-03-19 01:00
        reset.mode = c.mode;
        model.apply(Command(reset));
        EXPECT_NEAR(model.track().position().latitude, -33.8688, 1e-9);

        const auto firstEpoch = model.nextEpoch();
        const auto rmc = fieldsOf(first(firstEpoch, "GPRMC"));
        EXPECT_EQ(rmc[1], "010000.00");
        EXPECT_EQ(rmc[9], "190326");
        const int noFix = hasFix(firstEpoch) ? 0 : 1 + secondsToFix(model, 120);
        EXPECT_GE(noFix, c.minNoFix) << resetModeName(c.mode) << " seed " << settings.seed;
        EXPECT_LE(noFix, c.maxNoFix) << resetModeName(c.mode) << " seed " << settings.seed;
        seen[c.mode].insert(noFix);
        const auto later = fieldsOf(first(model.nextEpoch(), "GPRMC"));
        EXPECT_EQ(later[4], "S");
        EXPECT_EQ(later[6], "W");
    }
    for (const auto& [mode, times] : seen) {
        EXPECT_GE(times.size(), 2u) << resetModeName(mode) << " always takes as long";
    }
}

TEST(ReceiverModel, ColdStartListsNoSatellitesAtFirst) {
    ReceiverModel model(settingsAt(52.2, 6.9, ResetMode::Cold));
    const auto gsv = fieldsOf(first(model.nextEpoch(), "GPGSV"));
    EXPECT_EQ(gsv[3], "00");
    EXPECT_EQ(gsv.size(), 4u);
}

TEST(ReceiverModel, ChannelCountLimitsTrackedSatellites) {
    ReceiverModel model(settingsAt(52.2, 6.9));
    ResetCommand reset;
    reset.latitude = 52.2;
    reset.longitude = 6.9;
    reset.week = 2410;
    reset.channels = 5;
    reset.mode = ResetMode::Hot;
    model.apply(Command(reset));
    secondsToFix(model, 10);
    const auto gga = fieldsOf(first(model.nextEpoch(), "GPGGA"));
    EXPECT_EQ(gga[7], "05");
}

TEST(ReceiverModel, SameSeedSameOutputOtherSeedOtherTrack) {
    ReceiverModel a(settingsAt(52.2, 6.9));
    ReceiverModel b(settingsAt(52.2, 6.9));
    ReceiverSettings other = settingsAt(52.2, 6.9);
    other.seed = 8;
    ReceiverModel c(other);
    bool differs = false;
    for (int s = 0; s < 30; ++s) {
        const auto sa = a.nextEpoch();
        EXPECT_EQ(sa, b.nextEpoch());
        differs |= sa != c.nextEpoch();
    }
    EXPECT_TRUE(differs);
}

}  // namespace
