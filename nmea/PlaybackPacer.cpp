#include "PlaybackPacer.h"

#include "PlaybackLine.h"

namespace {

constexpr double kDay = 86400.0;
constexpr double kTolerance = 1e-9;  // seconds: wall-time arithmetic must not hold a due line

}  // namespace

void PlaybackPacer::Restart() {
    const double factor = factor_;
    *this = PlaybackPacer();
    factor_ = factor;
}

void PlaybackPacer::SetPace(double factor) {
    factor_ = factor;
    anchorPending_ = true;
}

bool PlaybackPacer::ReadLine(std::FILE* file) {
    while (!atEnd_) {
        switch (ReadPlaybackToken(file, line_.text, line_.length)) {
            case TokenResult::EndOfFile:
                atEnd_ = true;
                break;
            case TokenResult::TooLong:
                break;  // skipped whole, as the four-lines-a-second feeder does
            case TokenResult::Read:
                pendingLogTime_ = LogTimeOf(line_);
                pending_ = true;
                return true;
        }
    }
    return false;
}

double PlaybackPacer::LogTimeOf(const Line& line) {
    const PlaybackLineInfo info = InspectPlaybackLine(line.text, line.length);
    if (!info.timed) {
        if (!sawTime_) {
            logTime_ += 1.0 / kUntimedLinesPerSecond;
        }
        return logTime_;
    }
    if (!sawTime_) {
        sawTime_ = true;
        latestUtc_ = info.utcSeconds;
        return logTime_;
    }
    double step = info.utcSeconds - latestUtc_;
    if (step < -kDay / 2) {
        step += kDay;  // past midnight
    }
    if (step > 0) {
        logTime_ += step > kLongestGap ? kLongestGap : step;  // a long break is shortened
        latestUtc_ = info.utcSeconds;
    } else if (step <= -kLongestGap) {
        latestUtc_ = info.utcSeconds;  // the log starts again earlier: a new stretch
    }
    // A time a little behind the latest (another talker, a multiplexer) adds nothing: each
    // stretch of the log's clock counts once.
    return logTime_;
}

const PlaybackPacer::Line* PlaybackPacer::NextDue(std::FILE* file, double now) {
    if (!pending_ && (file == nullptr || !ReadLine(file))) {
        return nullptr;
    }
    if (anchorPending_) {
        anchorPending_ = false;
        anchorLogTime_ = pendingLogTime_;
        anchorWall_ = now;
    }
    if (factor_ == kFastest ||
        pendingLogTime_ <= anchorLogTime_ + (now - anchorWall_) * factor_ + kTolerance) {
        return &line_;
    }
    return nullptr;
}
