#pragma once

#include <signal.h>

// SIGINT and SIGTERM, blocked while this lives so that they end the tool's loop in an
// orderly way (the last output and the statistics are still printed) instead of killing it.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once one of them has arrived.
    bool Requested();

private:
    sigset_t signals_{};
    sigset_t previous_{};
    bool requested_ = false;
};
