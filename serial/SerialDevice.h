#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "serial/IoResult.h"
#include "serial/LineEvents.h"
#include "serial/LineSettings.h"

enum class PurgeDirection { Input, Output };

// What the reader does with input while the window's thread is behind with what was posted
// (its ReceiveWindow is full).
enum class BacklogPolicy {
    Unbounded,  // post anyway: a serial line must lose nothing, and its speed bounds it
    Pause,      // stop reading until there is room: the stream's transport slows the sender
    Drop,       // read on and drop the input, counted: datagrams cannot be held back
};

// One open serial device as TComm and its threads see it. Read, Write and ReadLineEvents
// never block: the threads wait on the descriptors with poll() together with the stop signal.
// The reader, the writer and the user-interface thread may call at the same time.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Polled for POLLIN by the reader and for POLLOUT by the writer.
    virtual int Handle() const = 0;
    // Becomes readable when line events may be pending; -1 when there is no such descriptor.
    virtual int LineEventHandle() const = 0;
    // How often to ask for line events when no descriptor announces them; nullopt when the
    // device cannot report them that way.
    virtual std::optional<std::chrono::milliseconds> LineEventPollInterval() const = 0;

    virtual IoResult Read(std::span<char> buffer) = 0;
    // True when the device holds input that Handle() does not announce (the rest of a
    // datagram larger than the last read took).
    virtual bool HasPendingInput() const { return false; }
    virtual BacklogPolicy WhenBehind() const { return BacklogPolicy::Unbounded; }
    virtual IoResult Write(std::span<const char> data) = 0;
    virtual LineEvents ReadLineEvents() = 0;

    // Failures are not reported: the line keeps whatever the device accepted.
    virtual void ApplyLineSettings(const LineSettings& settings) = 0;
    // Discards what is buffered in one direction.
    virtual void Purge(PurgeDirection direction) = 0;
    // The speed the line runs at, read back from the driver (which may have kept its old
    // speed for a rate it cannot make); nullopt when the device cannot tell.
    virtual std::optional<std::int32_t> LineSpeed() const { return std::nullopt; }
};
