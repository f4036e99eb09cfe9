#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

#include "serial/CommTimeouts.h"

// The state of one pending read of up to `capacity` bytes.
struct ReadProgress {
    std::chrono::steady_clock::time_point start;
    std::optional<std::chrono::steady_clock::time_point> lastByte;  // set once a byte is in
    std::size_t count = 0;
    std::size_t capacity = 0;
};

// When the read completes under the given timeouts: nullopt means it waits for more bytes
// without limit (it always completes when full). With the defaults it completes 100 ms after
// the last byte. A deadline reached with no byte in starts a new read; nothing is delivered.
std::optional<std::chrono::steady_clock::time_point> ReadDeadline(const CommTimeouts& timeouts,
                                                                  const ReadProgress& progress);

// The earlier of two optional deadlines (nullopt: none).
std::optional<std::chrono::steady_clock::time_point> EarlierDeadline(
    std::optional<std::chrono::steady_clock::time_point> a,
    std::optional<std::chrono::steady_clock::time_point> b);
