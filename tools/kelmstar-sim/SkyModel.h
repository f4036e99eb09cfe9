#pragma once
// The sky over a place: the satellites of the receiver's systems (see Constellation) with
// their elevations and azimuths, which change slowly as satellites rise and set as they would
// in the real sky, and the dilutions of precision of a set of them.

#include <cstdint>
#include <optional>
#include <vector>

#include "Constellation.h"
#include "GeoPosition.h"

namespace kelmsim {

struct SatelliteGeometry {
    int prn = 0;             // the number NMEA writes (see SatelliteOrbit)
    double elevation = 0.0;  // degrees above the horizon
    double azimuth = 0.0;    // degrees from true north, 0 to below 360
    GnssSystem system = GnssSystem::Gps;
};

struct Dops {
    double pdop = 0.0;
    double hdop = 0.0;
    double vdop = 0.0;
};

class SkyModel {
public:
    explicit SkyModel(std::uint64_t seed,
                      const std::vector<GnssSystem>& systems = {GnssSystem::Gps});

    // Satellites of every system above the elevation mask, highest first.
    std::vector<SatelliteGeometry> visible(double gpsSeconds, const GeoPosition& place,
                                           double maskDegrees) const;

    // Dilutions of precision for a set of satellites used in a fix; nullopt for fewer than four
    // or a degenerate geometry.
    static std::optional<Dops> dops(const std::vector<SatelliteGeometry>& used);

private:
    std::vector<Constellation> constellations_;
};

}  // namespace kelmsim
