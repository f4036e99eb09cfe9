#pragma once

#include <cstdint>
#include <string>

// The body of a sentence rate command ("$PQKL103") for message code 0..5 (GGA, GLL, GSA,
// GSV, RMC, VTG). A selected sentence carries its rate and the checksum flag as "%02d";
// an unselected one carries the rate "00" and the flag as "%2d" (with a leading space).
std::string RateCommandBody(int messageCode, bool selected, std::int32_t rate,
                            std::int32_t checksumFlag);
