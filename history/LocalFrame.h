#pragma once

// A place on the WGS-84 ellipsoid: signed degrees (south and west negative), metres.
struct GeoPoint {
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
};

// Metres east, north and up of a reference.
struct EnuOffset {
    double east = 0.0;
    double north = 0.0;
    double up = 0.0;
};

// Offsets from a reference place, with the prime-vertical radius N and the meridian radius
// M of the reference latitude:
//   east = dLon * N * cos(lat0), north = dLat * M, up = dAlt   (dLat, dLon in radians)
//   N = a / sqrt(1 - e2 sin^2 lat0), M = a (1 - e2) / (1 - e2 sin^2 lat0)^1.5
// A survey spans metres, so the flat approximation is far below the receiver's noise.
class LocalFrame {
public:
    static constexpr double kSemiMajorAxis = 6378137.0;
    static constexpr double kEccentricitySquared = 6.69437999014e-3;

    explicit LocalFrame(const GeoPoint& reference);

    EnuOffset Offset(const GeoPoint& place) const;

    // `longitude` minus `from` in degrees, brought into -180 .. 180 (across the 180th
    // meridian the short way round).
    static double LongitudeDifference(double longitude, double from);

private:
    GeoPoint reference_;
    double metresPerRadianEast_;
    double metresPerRadianNorth_;
};
