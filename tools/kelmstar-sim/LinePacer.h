#pragma once
// Paces output bytes as a serial line would carry them: with one start and one stop bit every
// byte takes ten bit times, so 4800 baud carries 480 bytes a second. Baud 0 means no pacing.

#include <cstddef>

namespace kelmsim {

class LinePacer {
public:
    explicit LinePacer(int baud);

    bool paced() const { return baud_ > 0; }
    double bytesPerSecond() const;
    double secondsFor(std::size_t bytes) const;
    // Bytes handed to the line in one write: about a fiftieth of a second's worth, at least 1,
    // so the far end sees a steady trickle instead of bursts.
    std::size_t chunkBytes() const;

    // Whether the line has finished the bytes written so far at time now (seconds).
    bool ready(double now) const { return now >= busyUntil_; }
    double readyAt() const { return busyUntil_; }
    // Bytes written at time now keep the line busy for their transmission time.
    void sent(std::size_t bytes, double now);

private:
    int baud_;
    double busyUntil_ = 0.0;
};

}  // namespace kelmsim
