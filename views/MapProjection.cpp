#include "MapProjection.h"

#include <cmath>

namespace {

// The map's own constants, kept so that positions land on the same pixels.
constexpr double kPi = 3.1415926;
constexpr double kTwoPi = 6.2831852;

}  // namespace

TrackPoint PositionToMetres(double latitude, double longitude) {
    const double north = (kTwoPi * EarthRadius / 360.0) * latitude;
    const double east =
        std::cos(latitude * kPi / 180.0) * EarthRadius * 2.0 * kPi / 360.0 * longitude;
    return {static_cast<float>(east), static_cast<float>(north)};
}

TrackPoint NavPositionToMetres(const NavState& nav) {
    const double latitude = nav.latHemisphere == 'S' ? -nav.latitude : nav.latitude;
    const double longitude = nav.lonHemisphere == 'W' ? -nav.longitude : nav.longitude;
    return PositionToMetres(latitude, longitude);
}

std::optional<PixelBox> MapDiscBox(const PlotGeometry& geometry, const MapCentre& centre,
                                   TrackPoint point, float scaleMetres) {
    const float east = point.east - centre.east;
    const float north = point.north - centre.north;
    const float half = 0.5f * geometry.d;
    const float px = half * east / scaleMetres;
    const float py = half * north / scaleMetres;
    if (!std::isfinite(px) || !std::isfinite(py)) {
        return std::nullopt;
    }
    return BoxAround(geometry.cx + static_cast<double>(px), geometry.cy - static_cast<double>(py),
                     geometry.d / 100.0);
}
