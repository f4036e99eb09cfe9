#pragma once
// Small deterministic generator (splitmix64): the same seed gives the same output on every
// platform, which keeps recorded logs reproducible.

#include <cstdint>

namespace kelmsim {

class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }
    // Normally distributed with mean 0 and standard deviation 1.
    double gaussian();
    // Integer in [0, bound); bound must be positive.
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }

    // A well-mixed value derived from a seed and a key, without touching any state.
    static std::uint64_t mix(std::uint64_t seed, std::uint64_t key);

private:
    std::uint64_t state_;
};

}  // namespace kelmsim
