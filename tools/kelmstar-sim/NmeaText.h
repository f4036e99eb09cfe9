#pragma once
// Text helpers shared by the sentence generator and the command parser.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmsim {

// Exclusive-or of every byte of the payload (the text between "$" and "*").
std::uint8_t nmeaChecksum(std::string_view payload);

// "$" + payload + ("*hh" when withChecksum) + CR LF; hh is two uppercase hex digits, as
// receivers send them.
std::string frameSentence(std::string_view payload, bool withChecksum);

// Latitude as "ddmm.mmmm,N" or ",S"; longitude as "dddmm.mmmm,E" or ",W" (signed degrees in).
std::string formatLatitude(double degrees);
std::string formatLongitude(double degrees);

// Value of one hex digit (either case), or nullopt.
std::optional<int> hexDigit(char c);

// Printable form of arbitrary bytes for reports: control and non-ASCII bytes as \xhh.
std::string printable(std::string_view bytes);

}  // namespace kelmsim
