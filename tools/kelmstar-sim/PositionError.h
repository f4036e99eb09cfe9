#pragma once
// The error of the receiver's position: north, east and up offsets in metres that wander
// around zero as first-order Gauss-Markov processes, as a real receiver's fixes do: each
// fix lies close to the one before, and over some minutes they spread with the standard
// deviations asked for.

#include <cstdint>

#include "SimRandom.h"

namespace kelmsim {

class PositionError {
public:
    // Standard deviations in metres: `horizontal` of north and of east each, `vertical` of
    // up; `correlationSeconds` is the time after which an offset has lost 63% of its memory.
    PositionError(std::uint64_t seed, double horizontal, double vertical,
                  double correlationSeconds);

    void advance(double seconds);

    double north() const { return north_; }
    double east() const { return east_; }
    double up() const { return up_; }

private:
    double step(double value, double sigma, double decay);

    SimRandom random_;
    double horizontal_;
    double vertical_;
    double correlationSeconds_;
    double north_;
    double east_;
    double up_;
};

}  // namespace kelmsim
