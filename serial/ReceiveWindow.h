#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "serial/WakeEvent.h"

// Bounds the received bytes the reader has posted and the window's thread has not handled
// yet, so that a source faster than the window cannot fill the memory with posted blocks.
// The reader takes room before it posts a block; the window's thread gives it back once
// the block is handled.
class ReceiveWindow {
public:
    static constexpr std::size_t kLimit = 64 * 1024;

    // Throws std::system_error when the wake-up cannot be created.
    explicit ReceiveWindow(std::size_t limit = kLimit) : limit_(limit) {}

    // Reader: takes room for `bytes`; false, taking nothing, when the window is full. Room()
    // is then set once half of the window is free again.
    bool TryTake(std::size_t bytes);
    // Reader: takes room whether there is any or not (for a line that must lose nothing).
    void Take(std::size_t bytes);
    // The window's thread: `bytes` were handled.
    void Give(std::size_t bytes);
    const WakeEvent& Room() const { return room_; }

    // Input the reader threw away because the window was full, counted until taken.
    void CountDropped(std::size_t bytes) { dropped_ += bytes; }
    std::uint64_t TakeDropped() { return dropped_.exchange(0); }

private:
    const std::size_t limit_;
    std::mutex mutex_;
    std::size_t inFlight_ = 0;
    bool readerWaits_ = false;
    WakeEvent room_;
    std::atomic<std::uint64_t> dropped_{0};
};
