#include "Constellation.h"

#include <array>
#include <cmath>
#include <numbers>

#include "SimRandom.h"

namespace kelmsim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kEarthRate = 7.2921151467e-5;  // radians per second
// One turn of the earth against the stars: the period that keeps a satellite over the same
// longitude.
constexpr double kSiderealDay = kTwoPi / kEarthRate;
constexpr double kGeosynchronousRadius = 42164e3;

// A Walker-like pattern: `numbers.size()` satellites in `planes` planes spread evenly in
// node, evenly in argument within each plane, each plane shifted by `planeShift` against the
// one before.
struct Walker {
    int planes;
    double radius;
    double period;
    double inclination;
    double planeShift;
};

std::vector<SatelliteOrbit> walker(const Walker& w, const std::vector<int>& numbers, double phase) {
    const int slots = static_cast<int>(numbers.size()) / w.planes;
    std::vector<SatelliteOrbit> orbits;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int plane = static_cast<int>(i) / slots;
        const int slot = static_cast<int>(i) % slots;
        SatelliteOrbit o;
        o.number = numbers[i];
        o.radius = w.radius;
        o.period = w.period;
        o.inclination = w.inclination;
        o.node = plane * (2.0 * std::numbers::pi / w.planes);
        o.argument = phase + slot * (2.0 * std::numbers::pi / slots) + plane * w.planeShift;
        orbits.push_back(o);
    }
    return orbits;
}

// The constellation's place along the orbits, fixed by the seed.
double phaseOf(std::uint64_t seed, GnssSystem system) {
    return SimRandom(SimRandom::mix(seed, 0x0b17 + static_cast<std::uint64_t>(system)))
        .between(0.0, kTwoPi);
}

}  // namespace

Constellation Constellation::gps(std::uint64_t seed) {
    // Satellite numbers by plane and slot.
    static const std::vector<int> kPrns = {31, 7,  24, 12, 9,  29, 2,  20, 5,  18,
                                           30, 6,  14, 16, 23, 21, 3,  19, 25, 28,
                                           26, 27, 8,  10, 15, 1,  13, 22, 17, 11};
    const double phase = SimRandom(seed ^ 0x5ca1ab1eULL).between(0.0, 2.0 * std::numbers::pi);
    return {GnssSystem::Gps, walker({6, 26560e3, 43082.0, 55.0 * kDegToRad, 0.26}, kPrns, phase)};
}

Constellation Constellation::glonass(std::uint64_t seed) {
    // Orbital slots 1 to 24, eight to a plane; NMEA numbers them from 65.
    std::vector<int> numbers;
    for (int slot = 1; slot <= 24; ++slot) {
        numbers.push_back(64 + slot);
    }
    return {GnssSystem::Glonass, walker({3, 25508e3, 40544.0, 64.8 * kDegToRad, kTwoPi / 24.0},
                                        numbers, phaseOf(seed, GnssSystem::Glonass))};
}

Constellation Constellation::galileo(std::uint64_t seed) {
    // Numbers of satellites in service, by plane; none above 32, for the reason given for
    // BeiDou below.
    static const std::vector<int> kPrns = {1,  2,  3,  4,  5,  7,  8,  9,  10, 11, 12, 13,
                                           14, 15, 18, 19, 21, 24, 25, 26, 27, 29, 30, 31};
    return {GnssSystem::Galileo, walker({3, 29600e3, 50682.0, 56.0 * kDegToRad, kTwoPi / 24.0},
                                        kPrns, phaseOf(seed, GnssSystem::Galileo))};
}

Constellation Constellation::beidou(std::uint64_t seed) {
    // Numbered 9 to 32, after the geostationary and inclined ones below (1 to 3, 6 to 8):
    // gpsd (3.22) takes a number above 32 in a GBGSV message after the first for an SBAS
    // satellite's.
    std::vector<int> meoPrns;
    for (int number = 9; number <= 32; ++number) {
        meoPrns.push_back(number);
    }
    std::vector<SatelliteOrbit> orbits =
        walker({3, 27906e3, 46404.0, 55.0 * kDegToRad, kTwoPi / 24.0}, meoPrns,
               phaseOf(seed, GnssSystem::Beidou));
    // Geostationary: in the equator, turning with the earth over a fixed longitude.
    const std::array<std::pair<int, double>, 3> geostationary = {
        {{1, 140.0}, {2, 80.0}, {3, 110.5}}};
    for (const auto& [number, longitude] : geostationary) {
        orbits.push_back(
            {number, kGeosynchronousRadius, kSiderealDay, 0.0, longitude * kDegToRad, 0.0});
    }
    // Inclined geosynchronous: three on one figure-eight ground track crossing the equator
    // at 118 degrees east, a third of a day apart.
    for (int i = 0; i < 3; ++i) {
        const double argument = i * kTwoPi / 3.0;
        orbits.push_back({6 + i, kGeosynchronousRadius, kSiderealDay, 55.0 * kDegToRad,
                          118.0 * kDegToRad - argument, argument});
    }
    return {GnssSystem::Beidou, std::move(orbits)};
}

Constellation Constellation::of(GnssSystem system, std::uint64_t seed) {
    switch (system) {
        case GnssSystem::Gps:
            return gps(seed);
        case GnssSystem::Glonass:
            return glonass(seed);
        case GnssSystem::Galileo:
            return galileo(seed);
        case GnssSystem::Beidou:
            return beidou(seed);
    }
    return gps(seed);
}

EarthFixed Constellation::position(const SatelliteOrbit& o, double t) {
    const double u = o.argument + 2.0 * std::numbers::pi * t / o.period;
    // Orbit plane, tilted by the inclination and turned by the ascending node; then the earth
    // turns underneath.
    const double xo = o.radius * std::cos(u);
    const double yo = o.radius * std::sin(u);
    const double node = o.node - kEarthRate * t;
    return {xo * std::cos(node) - yo * std::cos(o.inclination) * std::sin(node),
            xo * std::sin(node) + yo * std::cos(o.inclination) * std::cos(node),
            yo * std::sin(o.inclination)};
}

}  // namespace kelmsim
