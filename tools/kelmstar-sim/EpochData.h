#pragma once
// Everything the receiver reports for one output epoch; the sentence generator turns it into
// text.

#include <optional>
#include <vector>

#include "GeoPosition.h"
#include "GpsClock.h"
#include "SkyModel.h"

namespace kelmsim {

struct SatelliteReport {
    int prn = 0;
    int elevation = 0;
    int azimuth = 0;
    std::optional<int> cno;  // dB-Hz; empty while the satellite is not tracked
};

struct EpochData {
    UtcTime time;
    int fixMode = 1;  // 1 none, 2 two-dimensional, 3 three-dimensional
    GeoPosition position;
    double geoidSeparation = 0.0;
    double speedKnots = 0.0;
    double course = 0.0;
    std::vector<SatelliteReport> inView;  // at most 12
    std::vector<int> usedPrns;            // at most 12
    Dops dops;

    bool hasFix() const { return fixMode >= 2; }
};

}  // namespace kelmsim
