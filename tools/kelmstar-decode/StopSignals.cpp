#include "StopSignals.h"

#include <time.h>

StopSignals::StopSignals() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals_, &previous_);
}

StopSignals::~StopSignals() {
    sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

bool StopSignals::Requested() {
    const timespec zero{0, 0};
    if (!requested_ && sigtimedwait(&signals_, nullptr, &zero) > 0) {
        requested_ = true;
    }
    return requested_;
}
