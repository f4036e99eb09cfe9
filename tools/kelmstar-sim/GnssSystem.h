#pragma once
// The satellite systems the simulated receiver can track, and how NMEA 0183 names them.

#include <optional>
#include <string_view>

namespace kelmsim {

// In the order a receiver reports them.
enum class GnssSystem { Gps = 0, Glonass = 1, Galileo = 2, Beidou = 3 };
constexpr int kGnssSystemCount = 4;

// "gps", "glonass", "galileo", "beidou": the names of the --systems option.
const char* systemName(GnssSystem system);
std::optional<GnssSystem> systemNamed(std::string_view name);

// Talker of the system's own sentences: "GP", "GL", "GA", "GB".
const char* systemTalker(GnssSystem system);
// System ID of NMEA 4.10 and later: 1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou.
int nmeaSystemId(GnssSystem system);
// Signal ID of GSV for the first signal tracked per system (`signal` 0): GPS L1 C/A 1,
// GLONASS L1 OF 1, Galileo E1 B/C 7, BeiDou B1I 1; and for the second of a dual-frequency
// receiver (`signal` 1): GPS L2 CL 6, GLONASS L2 OF 3, Galileo E5b 2, BeiDou B2I 0xB.
int nmeaSignalId(GnssSystem system, int signal = 0);

}  // namespace kelmsim
