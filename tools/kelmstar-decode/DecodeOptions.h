#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "LocalFrame.h"
#include "RestartCommand.h"

// What kelmstar-decode prints: the program's own decoder sentence by sentence ("GP" talker
// only), or every satellite system's epochs.
enum class DecodeSystems { Gps, All };

// The command line of kelmstar-decode, parsed.
struct DecodeOptions {
    static constexpr std::int32_t kDefaultBaudRate = 4800;

    std::string input = "-";                     // a file, "-" for standard input, or a device
    std::optional<std::int32_t> baudRate;        // --baud=N; nullopt when not given
    bool detectBaudRate = false;                 // --baud=auto
    double durationSeconds = 0.0;                // --duration=S; 0 runs to the end of input
    bool stats = false;                          // --stats
    DecodeSystems systems = DecodeSystems::Gps;  // --systems=gps|all
    bool survey = false;                         // --survey[=LAT,LON,ALT]
    std::optional<GeoPoint> surveyReference;     // LAT,LON,ALT given to --survey
    std::optional<RestartMode> ttff;             // --ttff=hot|warm|cold
    std::optional<int> ttffRuns;                 // --runs=N
    std::optional<double> ttffTimeout;           // --timeout=S
    bool help = false;
    bool version = false;

    // Parses the arguments after the program's name; nullopt with `error` set on a usage
    // error.
    static std::optional<DecodeOptions> Parse(const std::vector<std::string>& arguments,
                                              std::string& error);
};
