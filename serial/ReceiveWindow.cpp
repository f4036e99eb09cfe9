#include "serial/ReceiveWindow.h"

#include <algorithm>

bool ReceiveWindow::TryTake(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    if (inFlight_ + bytes <= limit_ || inFlight_ == 0) {
        inFlight_ += bytes;
        return true;
    }
    // Cleared before the wait is noted, so that a Give after this cannot be missed.
    room_.Clear();
    readerWaits_ = true;
    return false;
}

void ReceiveWindow::Take(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    inFlight_ += bytes;
}

void ReceiveWindow::Give(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    inFlight_ -= std::min(bytes, inFlight_);
    // Woken at half, not at every block, so that the reader resumes for a burst of reads.
    if (readerWaits_ && inFlight_ <= limit_ / 2) {
        readerWaits_ = false;
        room_.Set();
    }
}
