#pragma once
// The simulated vehicle: drives at a few metres per second along a winding road that turns
// left and right in a pattern fixed by the seed.

#include <cstdint>

#include "GeoPosition.h"

namespace kelmsim {

class Track {
public:
    Track(GeoPosition start, double speedMetresPerSecond, std::uint64_t seed);

    void advance(double seconds);
    // Jump to a new place, as after a restart with a given position; heading and speed stay.
    void moveTo(GeoPosition position);

    const GeoPosition& position() const { return position_; }
    double speed() const { return speed_; }
    double course() const { return course_; }

private:
    void step(double seconds);

    GeoPosition position_;
    double baseSpeed_;
    double speed_;
    double course_;
    double elapsed_ = 0.0;
    double phase_;
};

}  // namespace kelmsim
