#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ByteSource.h"
#include "DecodeOptions.h"

struct OpenedSource {
    std::unique_ptr<ByteSource> source;    // null when opening failed
    std::string error;                     // why, in words for the user
    std::optional<std::int32_t> baudRate;  // the line speed, for a serial device
    bool detected = false;                 // the speed was found by listening (--baud=auto)
};

// Opens the input the options name: a network source for gpsd://, tcp:// and udp://,
// standard input for "-", a serial device for a terminal
// (at --baud, or at the speed found by listening with --baud=auto), otherwise a file.
// `stopRequested` can end a speed search early.
OpenedSource OpenByteSource(const DecodeOptions& options,
                            const std::function<bool()>& stopRequested);
