#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "serial/CommTimeouts.h"
#include "serial/ReadTiming.h"
#include "serial/StartGate.h"
#include "serial/WakeEvent.h"

class CommNotifier;
class ReceiveWindow;
class SerialDevice;
class WakeEvent;

// Reads the device in blocks of up to kBufferSize bytes, completed by the read timeouts, and
// watches for line events; posts both to the notify object. A block is posted only when
// `window` has room for it, unless the device may not lose input (see BacklogPolicy). A
// failure posts a hang-up request and ends the thread. The constructor creates the thread and Start
// lets it run; the destructor waits for it, so signal the stop event first.
class TReadThread {
public:
    static constexpr std::size_t kBufferSize = 2048;

    // Throws std::system_error when the thread or its wake-up cannot be created.
    TReadThread(SerialDevice& device, const WakeEvent& stop, CommNotifier& notify,
                ReceiveWindow& window, const CommTimeouts& timeouts);
    // Calls off a thread that was never started.
    ~TReadThread() { gate_.Cancel(); }
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

    void Start() { gate_.Open(); }
    // Wakes the thread, so that a pending read completes under the new timeouts.
    void SetTimeouts(const CommTimeouts& timeouts);
    bool Finished() const { return finished_; }

private:
    using Clock = std::chrono::steady_clock;

    void Run();
    bool ReadBlock();
    bool ReadAvailable(ReadProgress& progress, short revents);
    bool QueryLineEvents(const ReadProgress& progress);
    bool Deliver(std::size_t count);
    bool Post(std::size_t count);
    bool WaitForRoom(std::size_t count);
    void Drop(std::size_t count);
    bool EndWithHangup(const ReadProgress& progress);
    bool ServeLineEvents(const ReadProgress& progress);
    CommTimeouts Timeouts() const;

    SerialDevice& device_;
    const WakeEvent& stop_;
    CommNotifier& notify_;
    ReceiveWindow& window_;
    mutable std::mutex timeoutsMutex_;
    CommTimeouts timeouts_;
    WakeEvent timeoutsChanged_;
    std::array<char, kBufferSize> buffer_{};
    // When to ask a device without an event descriptor for line events next (reader only).
    std::optional<Clock::time_point> nextLineQuery_;
    std::atomic<bool> finished_{false};
    StartGate gate_;
    std::jthread thread_;  // last: created once everything above is ready
};
