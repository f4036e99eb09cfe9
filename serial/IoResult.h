#pragma once

#include <cstddef>

// Outcome of one non-blocking transfer: count bytes moved, or error holds an errno value
// (EAGAIN when the device is not ready).
struct IoResult {
    std::size_t count = 0;
    int error = 0;

    bool Ok() const { return error == 0; }
};
