#pragma once

#include <cstdint>

// What the control dialogs need from the main window: the serial write and the
// resets that follow a receiver initialisation.
class ReceiverLink {
public:
    virtual ~ReceiverLink() = default;

    // Queues a copy of `count` bytes for the serial line; does nothing when the port is
    // closed. The result is not examined by the callers.
    virtual bool WriteData(const void* data, std::uint16_t count) = 0;

    // Empties the receive buffer (ReceiveBuffer::Reset).
    virtual void ResetReceiveBuffer() = 0;

    // Sets the open views back to their empty texts.
    virtual void ResetViews() = 0;

    // Paints the map white if it is open, then resets its track.
    virtual void ResetMap() = 0;
};
