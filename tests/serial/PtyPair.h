#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "serial/FileDescriptor.h"

// A pseudo-terminal pair: the component opens the slave by its path, the test plays the
// far end of the line on the master.
class PtyPair {
public:
    PtyPair();

    int Master() const { return master_.Get(); }
    int Slave() const { return slave_.Get(); }
    const std::string& SlavePath() const { return slavePath_; }
    // The far end goes away, as when a USB receiver is pulled out.
    void CloseMaster() { master_.Reset(); }

private:
    FileDescriptor master_;
    FileDescriptor slave_;
    std::string slavePath_;
};

void WriteAll(int fd, std::string_view data);
// Reads until `want` bytes are in or `timeout` passes, and returns what arrived.
std::string ReadUpTo(int fd, std::size_t want, std::chrono::milliseconds timeout);
