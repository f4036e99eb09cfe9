#pragma once

#include <string>

#include "GnssEpoch.h"

// One line of JSON for an epoch of every satellite system:
// {"class":"EPOCH","time":"hh:mm:ss.ss","date":"YYYY-MM-DD"|null,"fix":0|2|3,"lat":deg|null,
//  "lon":deg|null,"alt":m|null,"speedKnots":x|null,"courseDeg":x|null,"pdop":x|null,
//  "hdop":x|null,"vdop":x|null,"used":N,"satellites":[{"system":"GPS","svid":N,"nmea":N,
//  "signal":"L1 C/A"|null,"elevation":N|null,"azimuth":N|null,"cno":N|null,"used":bool}]}
// Latitude and longitude are signed degrees with nine decimals at most; the other reals in
// the shortest form that reads back to the value the sentence gave. The time is null only
// for input without any time in a GGA, RMC or GNS sentence.
void AppendEpochReport(std::string& out, const GnssEpoch& epoch);
