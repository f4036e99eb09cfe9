#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <span>

#include "PtyPair.h"
#include "serial/FileDescriptor.h"
#include "serial/IoResult.h"
#include "serial/LineEvents.h"
#include "serial/LineSettings.h"
#include "serial/LineStatusTracker.h"

// The state behind FakeSerialDevice: a real pseudo-terminal for the data path, plus failures
// and line events the test injects, and a record of what the component asked of the device.
// Injections come from the test thread while the port's threads use the device.
class FakeLine {
public:
    FakeLine();

    int Master() const { return pty_.Master(); }
    int Slave() const { return pty_.Slave(); }

    // Test side.
    void InjectLineEvents(std::int32_t errorFlags, std::int32_t modemCode);
    // Every later read fails with `error`; the reader is woken to meet it.
    void FailReads(int error);
    void FailWrites(int error) { writeError_ = error; }
    void FailLineQueries(int error);
    // Like a real UART, before the port opens: no event descriptor; the reader asks for line
    // events every `interval`, and they come from the counters and modem lines below.
    void AskedEvery(std::chrono::milliseconds interval) { pollInterval_ = interval; }
    void Count(int serial_icounter_struct::*counter);
    void SetModemLines(int lines);
    // Holds output the way a received XOFF does: writes stay pending.
    void HoldOutput(bool held);
    void Heal();
    // Like a 16550 asked for a rate its clock cannot make: the line keeps its old speed.
    void RefuseRate(std::int32_t rate) { refusedRate_ = rate; }
    std::int32_t Speed() const;
    int Applications() const;
    LineSettings LastApplied() const;
    bool InUse() const { return inUse_; }
    // Bytes the component has read from the device so far.
    std::size_t BytesRead() const { return bytesRead_; }
    // How often a thread asked the device for its descriptor (to wait on it).
    int HandleUses() const { return handleUses_; }

    // Device side.
    int LineEventHandle() const { return lineEventWake_.Get(); }
    IoResult Read(std::span<char> buffer);
    IoResult Write(std::span<const char> data);
    LineEvents TakeLineEvents();
    std::optional<std::chrono::milliseconds> PollInterval() const { return pollInterval_; }
    LineStatus Status() const;
    void RecordApplied(const LineSettings& settings);
    void SetInUse(bool inUse) { inUse_ = inUse; }
    int UseHandle() {
        ++handleUses_;
        return Slave();
    }

private:
    void WakeLineEvents();

    PtyPair pty_;
    FileDescriptor lineEventWake_;
    std::atomic<int> readError_{0};
    std::atomic<int> writeError_{0};
    std::atomic<bool> inUse_{false};
    std::atomic<int> handleUses_{0};
    std::atomic<std::size_t> bytesRead_{0};
    mutable std::mutex mutex_;
    LineEvents pending_;
    std::optional<std::chrono::milliseconds> pollInterval_;
    LineStatus status_{serial_icounter_struct{}, 0};
    int applications_ = 0;
    LineSettings lastApplied_;
    std::int32_t refusedRate_ = 0;
    std::int32_t speed_ = 9600;
};
