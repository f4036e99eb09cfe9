#include "LocalFrame.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

}  // namespace

LocalFrame::LocalFrame(const GeoPoint& reference) : reference_(reference) {
    const double latitude = reference.latitude * kRadiansPerDegree;
    const double sine = std::sin(latitude);
    const double w = 1.0 - kEccentricitySquared * sine * sine;
    const double primeVertical = kSemiMajorAxis / std::sqrt(w);
    const double meridian = kSemiMajorAxis * (1.0 - kEccentricitySquared) / std::pow(w, 1.5);
    metresPerRadianEast_ = primeVertical * std::cos(latitude);
    metresPerRadianNorth_ = meridian;
}

double LocalFrame::LongitudeDifference(double longitude, double from) {
    return std::remainder(longitude - from, 360.0);
}

EnuOffset LocalFrame::Offset(const GeoPoint& place) const {
    return {
        LongitudeDifference(place.longitude, reference_.longitude) * kRadiansPerDegree *
            metresPerRadianEast_,
        (place.latitude - reference_.latitude) * kRadiansPerDegree * metresPerRadianNorth_,
        place.altitude - reference_.altitude,
    };
}
