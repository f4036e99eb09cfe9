#pragma once
// A GPS-like constellation: 30 satellites in six orbital planes inclined 55 degrees, with a
// half-sidereal-day period, seen from a place on a rotating earth. Elevations and azimuths
// therefore change slowly and satellites rise and set as they would in the real sky.

#include <cstdint>
#include <optional>
#include <vector>

#include "GeoPosition.h"

namespace kelmsim {

struct SatelliteGeometry {
    int prn = 0;
    double elevation = 0.0;  // degrees above the horizon
    double azimuth = 0.0;    // degrees from true north, 0 to below 360
};

struct Dops {
    double pdop = 0.0;
    double hdop = 0.0;
    double vdop = 0.0;
};

class SkyModel {
public:
    static constexpr int kSatelliteCount = 30;

    explicit SkyModel(std::uint64_t seed);

    // Satellites above the elevation mask, highest first.
    std::vector<SatelliteGeometry> visible(double gpsSeconds, const GeoPosition& place,
                                           double maskDegrees) const;

    // Dilutions of precision for a set of satellites used in a fix; nullopt for fewer than four
    // or a degenerate geometry.
    static std::optional<Dops> dops(const std::vector<SatelliteGeometry>& used);

private:
    double phaseOffset_;
};

}  // namespace kelmsim
