#pragma once

#include <optional>
#include <string_view>

// Which talkers' sentences count: "GP" only (the program's GPS-only mode), or any talker
// (every satellite system: GN, GL, GA, ...).
enum class TalkerFilter { GpsOnly, AnyTalker };

// What a GGA sentence says:
//   $GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47
//          1 time    2,3 latitude 4,5 longitude 6 quality 7 used 8 HDOP 9 altitude (10 unit M)
// A field that is empty or does not read is missing.
struct GgaSentence {
    std::optional<double> secondOfDay;  // UTC
    std::optional<double> latitude;     // signed degrees, south negative; both or neither
    std::optional<double> longitude;    // signed degrees, west negative
    std::optional<double> altitude;     // metres above mean sea level
    int quality = 0;                    // 0 when missing: no fix
    std::optional<int> used;
    std::optional<double> hdop;

    // A fix with a whole position: quality 1 or more, latitude, longitude and altitude.
    bool IsPositionFix() const { return quality >= 1 && latitude && altitude; }
};

// Reads a framed sentence (with or without "$", "*hh" and line end) when it is a GGA of a
// talker `filter` accepts and its checksum, if it has one, matches. A sentence with a
// wrong checksum was damaged on the line and is not read.
std::optional<GgaSentence> ReadGga(std::string_view sentence, TalkerFilter filter);

// True when the sentence's address is a talker `filter` accepts followed by `type` ("GGA",
// "RMC") and its checksum, if it has one, matches.
bool IsSentence(std::string_view sentence, std::string_view type, TalkerFilter filter);

// False when the sentence carries "*hh" that does not match its bytes, or a "*" not
// followed by two hexadecimal digits.
bool ChecksumHolds(std::string_view sentence);
