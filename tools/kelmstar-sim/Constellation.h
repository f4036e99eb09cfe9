#pragma once
// The satellites of one system on circular orbits, placed as the real constellation is laid
// out, seen on a turning earth: positions are earth-fixed, so satellites rise and set and
// geostationary ones stand still over their longitude.

#include <cstdint>
#include <vector>

#include "GnssSystem.h"

namespace kelmsim {

// Earth-centred, earth-fixed, in metres; x through longitude 0, z through the north pole.
struct EarthFixed {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct SatelliteOrbit {
    int number = 0;            // as NMEA writes it (GLONASS 65 and up)
    double radius = 0.0;       // metres from the earth's centre
    double period = 0.0;       // seconds
    double inclination = 0.0;  // radians
    double node = 0.0;         // earth-fixed longitude of the ascending node at GPS time 0
    double argument = 0.0;     // argument of latitude at GPS time 0, radians
};

class Constellation {
public:
    // GPS: 30 satellites in six planes at 55 degrees, half a sidereal day.
    static Constellation gps(std::uint64_t seed);
    // GLONASS: 24 in three planes at 64.8 degrees, 11 h 16 min, numbered 65 to 88.
    static Constellation glonass(std::uint64_t seed);
    // Galileo: 24 in three planes at 56 degrees, 14 h 05 min.
    static Constellation galileo(std::uint64_t seed);
    // BeiDou: 24 MEO in three planes at 55 degrees, 12 h 53 min, and three geostationary and
    // three inclined geosynchronous satellites over Asia.
    static Constellation beidou(std::uint64_t seed);
    static Constellation of(GnssSystem system, std::uint64_t seed);

    GnssSystem system() const { return system_; }
    const std::vector<SatelliteOrbit>& orbits() const { return orbits_; }

    static EarthFixed position(const SatelliteOrbit& orbit, double gpsSeconds);

private:
    Constellation(GnssSystem system, std::vector<SatelliteOrbit> orbits)
        : system_(system), orbits_(std::move(orbits)) {}

    GnssSystem system_;
    std::vector<SatelliteOrbit> orbits_;
};

}  // namespace kelmsim
