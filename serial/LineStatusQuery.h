#pragma once

#include <linux/serial.h>

#include <functional>

// The two ioctls behind one look at a line: the TIOCGICOUNT counters and the TIOCMGET
// modem-line levels. Each returns false (errno set) where the driver does not offer it.
// Tests replace them to stand for drivers with counters, with levels only, or with neither.
struct LineStatusQuery {
    std::function<bool(int fd, serial_icounter_struct& counters)> counters;
    std::function<bool(int fd, int& lines)> modemLines;

    // The real ioctls.
    static LineStatusQuery Device();
};
