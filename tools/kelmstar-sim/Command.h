#pragma once
// The two commands the control program sends to the receiver, as parsed values.

#include <string>
#include <variant>

#include "SentenceConfig.h"

namespace kelmsim {

enum class ResetMode { Hot = 1, Warm = 2, Cold = 4 };

const char* resetModeName(ResetMode mode);

// "$PQKL103,<code>,00,<rate>,<checksum flag>": one sentence type on or off and its interval.
struct RateCommand {
    OutputSentence sentence = OutputSentence::GGA;
    int interval = 1;  // 0 = off
    bool withChecksum = true;
};

// "$PQKL104,lat,lon,alt,clock offset,time of week,week,channels,reset mode".
struct ResetCommand {
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
    long clockOffset = 0;
    double timeOfWeek = 0.0;
    int week = 0;
    int channels = 12;
    ResetMode mode = ResetMode::Cold;
};

using Command = std::variant<RateCommand, ResetCommand>;

// One line for the report on standard error, for example "GGA every 1 s, with checksum".
std::string describe(const Command& command);

}  // namespace kelmsim
