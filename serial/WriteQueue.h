#pragma once

#include <deque>
#include <mutex>
#include <optional>

#include "serial/WakeEvent.h"
#include "serial/WriteBlock.h"

// The writer's queue of blocks in posting order, with a descriptor that turns readable when
// a block is pushed. Blocks still queued are released when it is closed or destroyed.
class WriteQueue {
public:
    // Throws std::system_error when the wake-up descriptor cannot be created.
    WriteQueue() = default;

    // False once the queue is closed: no one would send the block. Throws std::bad_alloc
    // when the queue cannot grow.
    bool Push(WriteBlock block);
    std::optional<WriteBlock> TryPop();
    // Refuses every later block and releases those still queued.
    void Close();

    int WakeHandle() const { return wake_.Handle(); }
    // Call before TryPop after a wake-up, so that a later Push wakes the writer again.
    void ClearWake() { wake_.Clear(); }

private:
    std::mutex mutex_;
    std::deque<WriteBlock> blocks_;
    bool closed_ = false;
    WakeEvent wake_;
};
