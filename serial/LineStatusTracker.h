#pragma once

#include <linux/serial.h>

#include <optional>

#include "serial/LineEvents.h"

// One look at a line, as far as its driver tells: the TIOCGICOUNT counters and the TIOCMGET
// modem-line levels (TIOCM_CD, TIOCM_RI ...), each where the driver offers it.
struct LineStatus {
    std::optional<serial_icounter_struct> counters;
    std::optional<int> modemLines;
};

// The line errors and modem changes between successive looks at one line.
class LineStatusTracker {
public:
    explicit LineStatusTracker(const LineStatus& first) : last_(first) {}

    // What to read at each look: what the first look found.
    bool Counts() const { return last_.counters.has_value(); }
    bool SeesLevels() const { return last_.modemLines.has_value(); }

    // What changed since the previous look.
    LineEvents Next(const LineStatus& now);

private:
    LineStatus last_;
};
