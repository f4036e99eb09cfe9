#include "SatelliteNumbering.h"

#include <gtest/gtest.h>

namespace {

using Scheme = SatelliteNumbering::Scheme;
using enum GnssSystem;

struct NumberCase {
    Scheme scheme;
    int nmea;
    std::optional<SatelliteId> expected;
};

class Numbering : public testing::TestWithParam<NumberCase> {};

TEST_P(Numbering, MapsTheNumberToItsSystemAndSatellite) {
    const NumberCase& c = GetParam();
    const std::optional<SatelliteId> id = SatelliteNumbering::Identify(c.scheme, c.nmea);
    ASSERT_EQ(id.has_value(), c.expected.has_value()) << c.nmea;
    if (id) {
        EXPECT_EQ(id->system, c.expected->system) << c.nmea;
        EXPECT_EQ(id->svid, c.expected->svid) << c.nmea;
    }
}

// The ends of every range, and the numbers just outside them.
INSTANTIATE_TEST_SUITE_P(
    Ranges, Numbering,
    testing::Values(
        NumberCase{Scheme::Mixed, 0, {}}, NumberCase{Scheme::Mixed, 1, {{Gps, 1}}},
        NumberCase{Scheme::Mixed, 32, {{Gps, 32}}}, NumberCase{Scheme::Mixed, 33, {{Sbas, 120}}},
        NumberCase{Scheme::Mixed, 64, {{Sbas, 151}}}, NumberCase{Scheme::Mixed, 65, {{Glonass, 1}}},
        NumberCase{Scheme::Mixed, 96, {{Glonass, 32}}}, NumberCase{Scheme::Mixed, 97, {}},
        NumberCase{Scheme::Mixed, 119, {}}, NumberCase{Scheme::Mixed, 120, {{Sbas, 120}}},
        NumberCase{Scheme::Mixed, 158, {{Sbas, 158}}}, NumberCase{Scheme::Mixed, 159, {}},
        NumberCase{Scheme::Mixed, 192, {}}, NumberCase{Scheme::Mixed, 193, {{Qzss, 1}}},
        NumberCase{Scheme::Mixed, 202, {{Qzss, 10}}}, NumberCase{Scheme::Mixed, 203, {{BeiDou, 3}}},
        NumberCase{Scheme::Mixed, 263, {{BeiDou, 63}}}, NumberCase{Scheme::Mixed, 264, {}},
        NumberCase{Scheme::Mixed, 301, {{Galileo, 1}}},
        NumberCase{Scheme::Mixed, 336, {{Galileo, 36}}}, NumberCase{Scheme::Mixed, 337, {}},
        NumberCase{Scheme::Mixed, 401, {{BeiDou, 1}}},
        NumberCase{Scheme::Mixed, 437, {{BeiDou, 37}}},
        NumberCase{Scheme::Glonass, 1, {{Glonass, 1}}}, NumberCase{Scheme::Glonass, 33, {}},
        NumberCase{Scheme::Glonass, 65, {{Glonass, 1}}},
        NumberCase{Scheme::Glonass, 96, {{Glonass, 32}}},
        NumberCase{Scheme::Galileo, 33, {{Galileo, 33}}},
        NumberCase{Scheme::Galileo, 36, {{Galileo, 36}}}, NumberCase{Scheme::Galileo, 37, {}},
        NumberCase{Scheme::Galileo, 301, {{Galileo, 1}}},
        NumberCase{Scheme::BeiDou, 63, {{BeiDou, 63}}}, NumberCase{Scheme::BeiDou, 64, {}},
        NumberCase{Scheme::BeiDou, 201, {{BeiDou, 1}}},
        NumberCase{Scheme::BeiDou, 401, {{BeiDou, 1}}}, NumberCase{Scheme::Qzss, 10, {{Qzss, 10}}},
        NumberCase{Scheme::Qzss, 11, {}}, NumberCase{Scheme::Qzss, 193, {{Qzss, 1}}},
        NumberCase{Scheme::NavIC, 14, {{NavIC, 14}}}, NumberCase{Scheme::NavIC, 15, {}}));

}  // namespace
