#pragma once

#include <cstdio>

#include "PlaybackFeeder.h"

// Paces a playback by the log's own clock: every line gets a log time, the UTC time of
// the GGA or RMC before it (so a second's burst of sentences goes out together), and a
// line is due once the wall time since the pace was set, times the speed, has reached
// it. Lines before the first timed one (all of them in a log without times) are spread
// evenly at kUntimedLinesPerSecond. Wall times come from the caller, in seconds.
class PlaybackPacer {
public:
    // A speed factor that makes every line due at once.
    static constexpr double kFastest = 0.0;
    static constexpr double kUntimedLinesPerSecond = 8.0;
    // A longer break in the log (a receiver switched off) is replayed as this long.
    static constexpr double kLongestGap = 5.0;

    struct Line {
        char text[kPlaybackLineBufferSize];
        int length = 0;
    };

    // Forgets the file read so far; the next line read is the first of a new log.
    void Restart();

    // From now on log time passes `factor` times as fast as wall time (kFastest: no
    // waiting); the next line is due at once, the pace counts from it.
    void SetPace(double factor);

    // The next line if it is due at wall time `now`; null when it is not due yet or the
    // file has ended. The line stays next until Consume().
    const Line* NextDue(std::FILE* file, double now);

    // The line NextDue returned has been fed.
    void Consume() { pending_ = false; }

    // The line read from the file but not fed yet, or null.
    const Line* Pending() const { return pending_ ? &line_ : nullptr; }

    // True once the file has ended and every line of it was fed.
    bool AtEnd() const { return atEnd_ && !pending_; }

    // Whether a line with a UTC time has been read.
    bool SawTime() const { return sawTime_; }

private:
    bool ReadLine(std::FILE* file);
    double LogTimeOf(const Line& line);

    Line line_;
    bool pending_ = false;
    bool atEnd_ = false;
    double pendingLogTime_ = 0.0;

    bool sawTime_ = false;
    double latestUtc_ = 0.0;  // the latest time of the current stretch
    double logTime_ = 0.0;    // seconds since the start of the log, never decreasing

    double factor_ = 1.0;
    bool anchorPending_ = true;
    double anchorLogTime_ = 0.0;
    double anchorWall_ = 0.0;
};
