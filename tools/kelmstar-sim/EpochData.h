#pragma once
// Everything the receiver reports for one output epoch; the sentence generator turns it into
// text.

#include <optional>
#include <vector>

#include "GeoPosition.h"
#include "GnssSystem.h"
#include "GpsClock.h"
#include "SkyModel.h"

namespace kelmsim {

struct SatelliteReport {
    int prn = 0;  // the number NMEA writes (see SatelliteOrbit)
    int elevation = 0;
    int azimuth = 0;
    std::optional<int> cno;  // dB-Hz; empty while the satellite is not tracked
    GnssSystem system = GnssSystem::Gps;
};

// A satellite used in the fix; a bare number is a GPS satellite's.
struct SatelliteId {
    SatelliteId(int number, GnssSystem of = GnssSystem::Gps) : prn(number), system(of) {}
    int prn;
    GnssSystem system;
};

struct EpochData {
    UtcTime time;
    int fixMode = 1;  // 1 none, 2 two-dimensional, 3 three-dimensional
    GeoPosition position;
    double geoidSeparation = 0.0;
    double speedKnots = 0.0;
    double course = 0.0;
    std::vector<SatelliteReport> inView;  // by system, then by number; GPS alone: at most 12
    std::vector<SatelliteId> usedPrns;    // at most 12 per system
    Dops dops;

    bool hasFix() const { return fixMode >= 2; }
};

}  // namespace kelmsim
