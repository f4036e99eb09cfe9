#pragma once

#include "serial/FileDescriptor.h"

// A one-shot stop event both threads poll: once signalled its descriptor stays readable.
class StopSignal {
public:
    // Throws std::system_error when no descriptor can be created.
    StopSignal();

    void Signal();
    bool IsSignalled() const;
    int Handle() const { return fd_.Get(); }

private:
    FileDescriptor fd_;
};
