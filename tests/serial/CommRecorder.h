#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "serial/TComm.h"

// Binds every event of a TComm and keeps what arrived, in arrival order.
struct CommRecorder {
    explicit CommRecorder(TComm& comm);
    // Unbinds the events again.
    ~CommRecorder();
    CommRecorder(const CommRecorder&) = delete;
    CommRecorder& operator=(const CommRecorder&) = delete;

    // Spins the event loop until `bytes` bytes were received or the timeout passes.
    bool WaitForBytes(std::size_t bytes, int timeoutMs = 5000);

    std::string received;
    std::vector<std::uint16_t> blockLengths;
    bool everyBlockZeroTerminated = true;
    std::vector<std::int32_t> receiveErrors;
    std::vector<std::int32_t> modemEvents;
    int hangups = 0;
    int sendEmpties = 0;

private:
    TComm& comm_;
};
