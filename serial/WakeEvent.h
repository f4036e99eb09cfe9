#pragma once

#include "serial/FileDescriptor.h"

// An event a thread can poll: once set, its descriptor stays readable until cleared. The
// port's stop event is one that is never cleared, so it wakes every wait of both threads.
class WakeEvent {
public:
    // Throws std::system_error when no descriptor can be created.
    WakeEvent();

    void Set();
    void Clear();
    bool IsSet() const;
    int Handle() const { return fd_.Get(); }

private:
    FileDescriptor fd_;
};
