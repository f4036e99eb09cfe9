// kelmstar-decode --survey against the same figures computed here another way (plain
// means, two-pass variances, a full sort).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunCommand.h"

namespace {

// "name":number pairs of a JSON line (null values left out).
std::map<std::string, double> Numbers(const std::string& line) {
    std::map<std::string, double> numbers;
    const std::regex pair("\"([a-z0-9_]+)\":(-?[0-9.]+)");
    for (std::sregex_iterator it(line.begin(), line.end(), pair), end; it != end; ++it) {
        numbers[(*it)[1]] = std::stod((*it)[2]);
    }
    return numbers;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

// ddmm.mmm or dddmm.mmm: the degrees are the digits before the last two before the point.
std::optional<double> Degrees(const std::string& text, const std::string& hemisphere) {
    const std::size_t point = text.find('.');
    if (text.empty() || point == std::string::npos || point < 3) {
        return std::nullopt;
    }
    const double minutes = std::stod(text.substr(point - 2));
    if (minutes >= 60) {
        return std::nullopt;
    }
    const double degrees = std::stoi(text.substr(0, point - 2)) + minutes / 60;
    return hemisphere == "S" || hemisphere == "W" ? -degrees : degrees;
}

struct Place {
    double lat, lon, alt;
};

// The fixes of a log, read line by line: GGA (of "GP" or any talker), checksum right or
// absent, quality 1 or more, latitude, longitude and altitude present.
std::vector<Place> Fixes(const std::string& path, bool anyTalker) {
    std::vector<Place> fixes;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find_first_of("\r\n"));
        if (line.size() < 7 || line[0] != '$' || line.substr(3, 4) != "GGA," ||
            (!anyTalker && line.substr(1, 2) != "GP")) {
            continue;
        }
        const std::size_t star = line.find('*');
        unsigned sum = 0;
        for (std::size_t i = 1; i < std::min(star, line.size()); ++i) {
            sum ^= static_cast<unsigned char>(line[i]);
        }
        if (star != std::string::npos && std::stoul(line.substr(star + 1), nullptr, 16) != sum) {
            continue;
        }
        const std::vector<std::string> f = Split(line.substr(0, star) + ",", ',');
        const auto lat = Degrees(f[2], f[3]);
        const auto lon = Degrees(f[4], f[5]);
        if (!f[6].empty() && std::stoi(f[6]) >= 1 && lat && lon && !f[9].empty()) {
            fixes.push_back({*lat, *lon, std::stod(f[9])});
        }
    }
    return fixes;
}

double PopulationSigma(const std::vector<double>& values) {
    double mean = 0;
    for (const double v : values) {
        mean += v / static_cast<double>(values.size());
    }
    double squares = 0;
    for (const double v : values) {
        squares += (v - mean) * (v - mean);
    }
    return std::sqrt(squares / static_cast<double>(values.size()));
}

std::map<std::string, double> Expected(const std::vector<Place>& fixes,
                                       std::optional<Place> reference) {
    const double n = static_cast<double>(fixes.size());
    if (!reference) {
        Place mean{0, 0, 0};
        for (const Place& p : fixes) {
            mean = {mean.lat + p.lat / n, mean.lon + p.lon / n, mean.alt + p.alt / n};
        }
        reference = mean;
    }
    const double a = 6378137.0, e2 = 6.69437999014e-3, rad = std::numbers::pi / 180;
    const double s = std::sin(reference->lat * rad);
    const double east = a / std::sqrt(1 - e2 * s * s) * std::cos(reference->lat * rad) * rad;
    const double north = a * (1 - e2) / std::pow(1 - e2 * s * s, 1.5) * rad;
    std::vector<double> e, no, up, distance;
    for (const Place& p : fixes) {
        e.push_back((p.lon - reference->lon) * east);
        no.push_back((p.lat - reference->lat) * north);
        up.push_back(p.alt - reference->alt);
        distance.push_back(std::sqrt(e.back() * e.back() + no.back() * no.back()));
    }
    std::sort(distance.begin(), distance.end());
    const auto at = [&](double p) {
        return distance[static_cast<std::size_t>(std::ceil(p * n - 1e-9)) - 1];
    };
    const double se = PopulationSigma(e), sn = PopulationSigma(no);
    return {{"fixes", n},
            {"lat", reference->lat},
            {"lon", reference->lon},
            {"alt", reference->alt},
            {"sigma_east_m", se},
            {"sigma_north_m", sn},
            {"sigma_up_m", PopulationSigma(up)},
            {"cep50_m", at(0.5)},
            {"cep95_m", at(0.95)},
            {"drms2_m", 2 * std::sqrt(se * se + sn * sn)},
            {"max_m", distance.back()}};
}

struct SurveyCase {
    const char* name;
    const char* log;  // in the captures, or "sim": an hour of the simulator standing still
    const char* options;
    std::optional<Place> reference;
};

class SurveyToolTest : public testing::TestWithParam<SurveyCase> {};

TEST_P(SurveyToolTest, GivesTheFiguresOfTheDefinitions) {
    const SurveyCase& c = GetParam();
    std::string log = std::string(KELMSTAR_CAPTURES "/") + c.log;
    if (std::string(c.log) == "sim") {
#ifndef KELMSTAR_SIM
        GTEST_SKIP() << "the simulator is not built here";
#else
        log = testing::TempDir() + "still-hour.log";
        RunCommand(std::string(KELMSTAR_SIM) +
                   " --speed=0 --seed=9 --duration=3600 "
                   "--start=2024-05-01T23:30:00 --output=" +
                   log);
#endif
    }
    const std::string out =
        RunCommand(std::string(KELMSTAR_DECODE) + " " + c.options + " " + log + " | tail -n 1");
    ASSERT_EQ(out.rfind("{\"class\":\"SURVEY\",\"fixes\":", 0), 0u) << out;
    const std::map<std::string, double> got = Numbers(out);
    const std::vector<Place> fixes =
        Fixes(log, std::string(c.options).find("all") != std::string::npos);
    ASSERT_GE(fixes.size(), 4u);
    for (const auto& [key, value] : Expected(fixes, c.reference)) {
        ASSERT_TRUE(got.count(key)) << key;
        EXPECT_NEAR(got.at(key), value, key == "lat" || key == "lon" ? 1e-9 : 1e-4) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Logs, SurveyToolTest,
    testing::Values(
        SurveyCase{"ITrek", "iTrek.log", "--survey", std::nullopt},
        SurveyCase{"Mtk3301", "mtk-3301.log", "--survey", std::nullopt},
        SurveyCase{"GarminWest", "garmin-geko201.log", "--survey", std::nullopt},
        SurveyCase{"NeoM8nAllSystems", "neo-m8n.log", "--systems=all --survey", std::nullopt},
        SurveyCase{"ZedF9pSouthEast", "ublox-zed-f9p-nmea.log",
                   "--systems=all --survey=-45.8775,170.5001,14", Place{-45.8775, 170.5001, 14}},
        SurveyCase{"SimulatorHour", "sim", "--survey", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
