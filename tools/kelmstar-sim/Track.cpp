#include "Track.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "SimRandom.h"

namespace kelmsim {

namespace {

constexpr double kEarthRadius = 6371000.0;
constexpr double kDegToRad = std::numbers::pi / 180.0;
// Integration step: short enough that a turning vehicle follows a smooth curve.
constexpr double kStep = 0.1;

}  // namespace

Track::Track(GeoPosition start, double speedMetresPerSecond, std::uint64_t seed)
    : position_(start), baseSpeed_(speedMetresPerSecond), speed_(speedMetresPerSecond) {
    SimRandom random(seed);
    course_ = random.between(0.0, 360.0);
    phase_ = random.between(0.0, 2.0 * std::numbers::pi);
}

void Track::advance(double seconds) {
    while (seconds > 1e-9) {
        const double dt = std::min(seconds, kStep);
        step(dt);
        seconds -= dt;
    }
}

void Track::moveTo(GeoPosition position) {
    position_ = position;
}

void Track::step(double dt) {
    elapsed_ += dt;
    // Two slow waves give alternating bends of a few tens of degrees, like a country road.
    const double turnRate = 4.0 * std::sin(2.0 * std::numbers::pi * elapsed_ / 95.0 + phase_) +
                            2.5 * std::sin(2.0 * std::numbers::pi * elapsed_ / 41.0);
    course_ = std::fmod(course_ + turnRate * dt + 360.0, 360.0);
    speed_ = baseSpeed_ * (1.0 + 0.15 * std::sin(2.0 * std::numbers::pi * elapsed_ / 63.0));

    const double distance = speed_ * dt;
    const double north = distance * std::cos(course_ * kDegToRad);
    const double east = distance * std::sin(course_ * kDegToRad);
    position_.latitude += north / kEarthRadius / kDegToRad;
    const double cosLat = std::max(std::cos(position_.latitude * kDegToRad), 1e-6);
    position_.longitude += east / (kEarthRadius * cosLat) / kDegToRad;

    // Keep the numbers geographic near the poles and the date line.
    if (position_.latitude > 89.99) {
        position_.latitude = 89.99;
        course_ = std::fmod(course_ + 180.0, 360.0);
    } else if (position_.latitude < -89.99) {
        position_.latitude = -89.99;
        course_ = std::fmod(course_ + 180.0, 360.0);
    }
    if (position_.longitude >= 180.0) {
        position_.longitude -= 360.0;
    } else if (position_.longitude < -180.0) {
        position_.longitude += 360.0;
    }
}

}  // namespace kelmsim
