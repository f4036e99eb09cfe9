#include "SkyModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "SimRandom.h"

namespace kelmsim {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kOrbitRadius = 26560e3;
constexpr double kEarthRadius = 6371e3;
constexpr double kOrbitPeriod = 43082.0;  // seconds, half a sidereal day
constexpr double kEarthRate = 7.2921151467e-5;
constexpr double kInclination = 55.0 * kDegToRad;
constexpr int kPlanes = 6;
constexpr int kSlots = 5;
// Satellite numbers by plane and slot, in the order the constellation is walked.
constexpr std::array<int, SkyModel::kSatelliteCount> kPrns = {
    31, 7, 24, 12, 9,  29, 2,  20, 5,  18, 30, 6,  14, 16, 23,
    21, 3, 19, 25, 28, 26, 27, 8,  10, 15, 1,  13, 22, 17, 11};

struct Vec3 {
    double x, y, z;
};

Vec3 satellitePosition(int index, double t, double phaseOffset) {
    const int plane = index / kSlots;
    const int slot = index % kSlots;
    const double raan = plane * (2.0 * std::numbers::pi / kPlanes);
    const double u = phaseOffset + slot * (2.0 * std::numbers::pi / kSlots) + plane * 0.26 +
                     2.0 * std::numbers::pi * t / kOrbitPeriod;
    // Orbit plane, tilted by the inclination and turned by the ascending node; then the earth
    // turns underneath.
    const double xo = kOrbitRadius * std::cos(u);
    const double yo = kOrbitRadius * std::sin(u);
    const double node = raan - kEarthRate * t;
    return {xo * std::cos(node) - yo * std::cos(kInclination) * std::sin(node),
            xo * std::sin(node) + yo * std::cos(kInclination) * std::cos(node),
            yo * std::sin(kInclination)};
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

SkyModel::SkyModel(std::uint64_t seed)
    : phaseOffset_(SimRandom(seed ^ 0x5ca1ab1eULL).between(0.0, 2.0 * std::numbers::pi)) {}

std::vector<SatelliteGeometry> SkyModel::visible(double gpsSeconds, const GeoPosition& place,
                                                 double maskDegrees) const {
    const double lat = place.latitude * kDegToRad;
    const double lon = place.longitude * kDegToRad;
    const double r = kEarthRadius + place.altitude;
    const Vec3 receiver{r * std::cos(lat) * std::cos(lon), r * std::cos(lat) * std::sin(lon),
                        r * std::sin(lat)};
    std::vector<SatelliteGeometry> result;
    for (int i = 0; i < kSatelliteCount; ++i) {
        const Vec3 s = satellitePosition(i, gpsSeconds, phaseOffset_);
        const double dx = s.x - receiver.x;
        const double dy = s.y - receiver.y;
        const double dz = s.z - receiver.z;
        const double east = -std::sin(lon) * dx + std::cos(lon) * dy;
        const double north = -std::sin(lat) * std::cos(lon) * dx -
                             std::sin(lat) * std::sin(lon) * dy + std::cos(lat) * dz;
        const double up = std::cos(lat) * std::cos(lon) * dx + std::cos(lat) * std::sin(lon) * dy +
                          std::sin(lat) * dz;
        const double elevation = std::atan2(up, std::hypot(east, north)) / kDegToRad;
        if (elevation < maskDegrees) {
            continue;
        }
        double azimuth = std::atan2(east, north) / kDegToRad;
        if (azimuth < 0.0) {
            azimuth += 360.0;
        }
        result.push_back({kPrns[i], elevation, azimuth});
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
