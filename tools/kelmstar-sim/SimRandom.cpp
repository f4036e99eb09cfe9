#include "SimRandom.h"

#include <cmath>
#include <numbers>

namespace kelmsim {

namespace {

std::uint64_t scramble(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

std::uint64_t SimRandom::next() {
    state_ += 0x9e3779b97f4a7c15ULL;
    return scramble(state_);
}

double SimRandom::unit() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double SimRandom::gaussian() {
    // Box-Muller; 1 - unit() is never 0, so the logarithm is finite.
    const double radius = std::sqrt(-2.0 * std::log(1.0 - unit()));
    return radius * std::cos(2.0 * std::numbers::pi * unit());
}

std::uint64_t SimRandom::mix(std::uint64_t seed, std::uint64_t key) {
    return scramble(seed * 0x9e3779b97f4a7c15ULL + key + 0x632be59bd9b4e019ULL);
}

}  // namespace kelmsim
