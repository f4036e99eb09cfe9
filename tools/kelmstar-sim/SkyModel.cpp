#include "SkyModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kelmsim {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kEarthRadius = 6371e3;

struct LookAngles {
    double elevation;  // degrees
    double azimuth;    // degrees, 0 to below 360
};

// Where a satellite stands in the sky of a receiver at latitude and longitude (radians).
LookAngles lookAngles(const EarthFixed& s, const EarthFixed& receiver, double lat, double lon) {
    const double dx = s.x - receiver.x;
    const double dy = s.y - receiver.y;
    const double dz = s.z - receiver.z;
    const double east = -std::sin(lon) * dx + std::cos(lon) * dy;
    const double north = -std::sin(lat) * std::cos(lon) * dx - std::sin(lat) * std::sin(lon) * dy +
                         std::cos(lat) * dz;
    const double up = std::cos(lat) * std::cos(lon) * dx + std::cos(lat) * std::sin(lon) * dy +
                      std::sin(lat) * dz;
    double azimuth = std::atan2(east, north) / kDegToRad;
    if (azimuth < 0.0) {
        azimuth += 360.0;
    }
    return {std::atan2(up, std::hypot(east, north)) / kDegToRad, azimuth};
}

// Inverts a symmetric 4x4 matrix by Gauss-Jordan elimination; false when singular.
bool invert4(std::array<std::array<double, 4>, 4>& m) {
    std::array<std::array<double, 4>, 4> inv{};
    for (int i = 0; i < 4; ++i) {
        inv[i][i] = 1.0;
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) {
                pivot = r;
            }
        }
        if (std::fabs(m[pivot][col]) < 1e-12) {
            return false;
        }
        std::swap(m[pivot], m[col]);
        std::swap(inv[pivot], inv[col]);
        const double p = m[col][col];
        for (int c = 0; c < 4; ++c) {
            m[col][c] /= p;
            inv[col][c] /= p;
        }
        for (int r = 0; r < 4; ++r) {
            if (r == col) {
                continue;
            }
            const double f = m[r][col];
            for (int c = 0; c < 4; ++c) {
                m[r][c] -= f * m[col][c];
                inv[r][c] -= f * inv[col][c];
            }
        }
    }
    m = inv;
    return true;
}

}  // namespace

SkyModel::SkyModel(std::uint64_t seed, const std::vector<GnssSystem>& systems) {
    for (GnssSystem system : systems) {
        constellations_.push_back(Constellation::of(system, seed));
    }
}

std::vector<SatelliteGeometry> SkyModel::visible(double gpsSeconds, const GeoPosition& place,
                                                 double maskDegrees) const {
    const double lat = place.latitude * kDegToRad;
    const double lon = place.longitude * kDegToRad;
    const double r = kEarthRadius + place.altitude;
    const EarthFixed receiver{r * std::cos(lat) * std::cos(lon), r * std::cos(lat) * std::sin(lon),
                              r * std::sin(lat)};
    std::vector<SatelliteGeometry> result;
    for (const Constellation& constellation : constellations_) {
        for (const SatelliteOrbit& orbit : constellation.orbits()) {
            const auto geometry =
                lookAngles(Constellation::position(orbit, gpsSeconds), receiver, lat, lon);
            if (geometry.elevation >= maskDegrees) {
                result.push_back(
                    {orbit.number, geometry.elevation, geometry.azimuth, constellation.system()});
            }
        }
    }
    std::sort(result.begin(), result.end(),
              [](const auto& a, const auto& b) { return a.elevation > b.elevation; });
    return result;
}

std::optional<Dops> SkyModel::dops(const std::vector<SatelliteGeometry>& used) {
    if (used.size() < 4) {
        return std::nullopt;
    }
    std::array<std::array<double, 4>, 4> normal{};
    for (const auto& s : used) {
        const double el = s.elevation * kDegToRad;
        const double az = s.azimuth * kDegToRad;
        const std::array<double, 4> row = {std::cos(el) * std::sin(az), std::cos(el) * std::cos(az),
                                           std::sin(el), 1.0};
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                normal[i][j] += row[i] * row[j];
            }
        }
    }
    if (!invert4(normal)) {
        return std::nullopt;
    }
    Dops d;
    d.hdop = std::sqrt(normal[0][0] + normal[1][1]);
    d.vdop = std::sqrt(normal[2][2]);
    d.pdop = std::sqrt(normal[0][0] + normal[1][1] + normal[2][2]);
    return d;
}

}  // namespace kelmsim
