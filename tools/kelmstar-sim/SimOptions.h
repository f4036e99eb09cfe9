#pragma once

#include <optional>
#include <string>

#include "ReceiverModel.h"

namespace kelmsim {

// The command line, parsed.
struct SimOptions {
    ReceiverSettings receiver;
    bool startGiven = false;                // --start given; otherwise the system clock is used
    std::string link = "ttyGPS";            // symbolic link to the pseudo-terminal's far end
    std::optional<std::string> output;      // write to this file instead of a pseudo-terminal
    std::optional<std::string> timestamps;  // log of when each sentence's last byte was written
    int baud = 4800;                        // line speed for pacing; 0 = unpaced
    double byteNoise = 0.0;                 // share of corrupted bytes
    double cutNoise = 0.0;                  // share of sentences cut short
    bool uart = false;                      // a program reading at another speed gets garbage
    double duration = 0.0;                  // seconds; 0 = until a signal (60 when writing a file)
    bool help = false;
    bool version = false;
};

}  // namespace kelmsim
