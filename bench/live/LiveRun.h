#pragma once

#include <cstdint>
#include <string>

#include "Distribution.h"

// One run of the whole program, offscreen, reading kelmstar-sim on a pseudo-terminal.
// The simulator stamps the moment each sentence's last byte is written; the program's
// receive event stamps when the reader thread delivered it; a slot connected after the
// decode tick's own stamps when the tick has written it to the sentence log, which is
// the moment its values are in the views (the tick logs and shows in one go).
class LiveRun {
public:
    struct Options {
        std::string simulator;  // path of kelmstar-sim
        int baud = 115200;
        int rate = 10;         // sentence groups per second
        bool allTypes = true;  // GLL and VTG as well as GGA, GSA, GSV and RMC
        double seconds = 120;  // measured time, after a warm-up
        double warmUp = 3;
        int readLimitMs = -1;  // >= 0: Comm1's ReadTotalTimeoutConstant, to try other limits
        std::string source = "serial";  // or "gpsd", "tcp": the simulator behind that peer
        int shareClients = -1;          // >= 0: sharing on, with this many clients reading
        // The simulator's --systems; any besides "gps" make the program decode every system.
        std::string systems = "gps";
    };

    struct Result {
        std::int64_t written = 0;    // by the simulator during the measured time
        std::int64_t received = 0;   // of those, by the program's receive event
        std::int64_t shown = 0;      // of those, by the decode tick
        std::int64_t corrupted = 0;  // shown but not what was written
        Distribution total;          // ms, last byte written -> shown
        Distribution read;           // ms, last byte written -> received
        Distribution tick;           // ms, received -> shown
        std::int64_t blocks = 0;     // receive events during the measured time
        std::int64_t blockBytes = 0;
        double cpuSeconds = 0;
        double wallSeconds = 0;
    };

    explicit LiveRun(Options options) : options_(std::move(options)) {}

    // Throws std::runtime_error when the run cannot be made.
    Result Run();

private:
    Options options_;
};
