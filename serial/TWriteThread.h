#pragma once

#include <atomic>
#include <thread>

#include "serial/StartGate.h"
#include "serial/WriteQueue.h"

class CommNotifier;
class SerialDevice;
class WakeEvent;

// Writes the queued blocks to the device, each completely and in order, and reports when the
// queue has run dry. A failure posts a hang-up request and ends the thread. The constructor
// creates the thread and Start lets it run; the destructor waits for it (signal the stop event
// first) and releases the blocks still queued.
class TWriteThread {
public:
    // Throws std::system_error when the queue or the thread cannot be created.
    TWriteThread(SerialDevice& device, const WakeEvent& stop, CommNotifier& notify,
                 std::atomic<bool>& txQueueEmpty);
    // Calls off a thread that was never started.
    ~TWriteThread() { gate_.Cancel(); }
    TWriteThread(const TWriteThread&) = delete;
    TWriteThread& operator=(const TWriteThread&) = delete;

    void Start() { gate_.Open(); }
    // False once the thread has ended (or is ending): the block would never be sent.
    // Throws std::bad_alloc when the queue cannot take the block.
    bool Post(WriteBlock block) { return queue_.Push(std::move(block)); }
    bool Finished() const { return finished_; }

private:
    enum class Wait { Ready, Stop, Failed };
    // Failed asks for a hang-up; Closed (the device closed under the thread) does not.
    enum class Outcome { Done, Stopped, Closed, Failed };

    void Run();
    Outcome Serve();
    Wait WaitFor(int fd, short events, short* revents = nullptr);
    Outcome SendBuffer(const WriteBlock& block);

    SerialDevice& device_;
    const WakeEvent& stop_;
    CommNotifier& notify_;
    std::atomic<bool>& txQueueEmpty_;
    WriteQueue queue_;
    std::atomic<bool> finished_{false};
    StartGate gate_;
    std::jthread thread_;  // last: created once everything above is ready
};
