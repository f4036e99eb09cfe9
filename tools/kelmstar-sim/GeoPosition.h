#pragma once

namespace kelmsim {

// Signed degrees: south and west are negative. Altitude in metres above mean sea level.
struct GeoPosition {
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
};

}  // namespace kelmsim
