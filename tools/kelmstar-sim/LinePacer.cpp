#include "LinePacer.h"

#include <algorithm>

namespace kelmsim {

namespace {

constexpr int kBitsPerByte = 10;  // start bit, eight data bits, stop bit
constexpr std::size_t kUnpacedChunk = 4096;

}  // namespace

LinePacer::LinePacer(int baud) : baud_(std::max(baud, 0)) {}

double LinePacer::bytesPerSecond() const {
    return paced() ? static_cast<double>(baud_) / kBitsPerByte : 0.0;
}

double LinePacer::secondsFor(std::size_t bytes) const {
    return paced() ? static_cast<double>(bytes) / bytesPerSecond() : 0.0;
}

std::size_t LinePacer::chunkBytes() const {
    if (!paced()) {
        return kUnpacedChunk;
    }
    return std::max<std::size_t>(1, static_cast<std::size_t>(bytesPerSecond() / 50.0));
}

void LinePacer::sent(std::size_t bytes, double now) {
    // A writer that comes back a little late (a scheduler tick) finds the line's transmit
    // buffer still holding the previous chunk, so the bytes follow on without a gap. After a
    // longer pause the line has been idle and starts afresh.
    const bool continuing = now - busyUntil_ < secondsFor(chunkBytes());
    busyUntil_ = (continuing ? busyUntil_ : now) + secondsFor(bytes);
}

}  // namespace kelmsim
