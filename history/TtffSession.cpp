#include "TtffSession.h"

#include <algorithm>
#include <exception>

#include "GgaReader.h"
#include "SentenceFields.h"

namespace {

// RMC status A: a valid fix.
bool RmcHasFix(std::string_view sentence) {
    return IsSentence(sentence, "RMC", TalkerFilter::AnyTalker) &&
           SentenceFields(sentence)[2] == "A";
}

}  // namespace

TtffSession::TtffSession(const TtffPlan& plan, const InitSettings& settings, Sender send,
                         Clock calendar)
    : plan_(plan), settings_(settings), send_(std::move(send)), calendar_(std::move(calendar)) {
    plan_.runs = std::clamp(plan_.runs, 1, TtffPlan::kMaxRuns);
    plan_.limitSeconds = std::max(plan_.limitSeconds, 0.0);
    plan_.pauseSeconds = std::max(plan_.pauseSeconds, 0.0);
}

bool TtffSession::Start(double now) {
    if (phase_ != Phase::Idle) {
        return false;
    }
    return SendRestart(now);
}

bool TtffSession::SendRestart(double now) {
    std::string bytes;
    try {
        bytes = RestartCommandBytes(settings_, plan_.mode, calendar_());
    } catch (const std::exception& e) {
        error_ = e.what();
        phase_ = Phase::Finished;
        return false;
    }
    send_(bytes);
    ++runNumber_;
    runStart_ = now;
    phase_ = Phase::WaitingForFix;
    return true;
}

void TtffSession::Record(double now, TtffRun run) {
    runs_.push_back(run);
    if (runFinished_) {
        runFinished_(run);
    }
    if (static_cast<int>(runs_.size()) >= plan_.runs) {
        phase_ = Phase::Finished;
        return;
    }
    phase_ = Phase::Pausing;
    phaseEnd_ = now + plan_.pauseSeconds;
}

void TtffSession::OnSentence(double now, std::string_view sentence) {
    // A restart that Tick sends now comes after this sentence, which cannot be its fix.
    const int runBefore = runNumber_;
    Tick(now);
    if (runNumber_ != runBefore) {
        return;
    }
    std::optional<GgaSentence> gga = ReadGga(sentence, TalkerFilter::AnyTalker);
    if (gga && gga->quality < 1) {
        gga.reset();
    }
    if (phase_ == Phase::WaitingForFix) {
        TakeFix(now, gga, RmcHasFix(sentence));
    } else if (phase_ == Phase::Completing && gga) {
        pending_.used = gga->used;
        pending_.hdop = gga->hdop;
        Record(now, pending_);
    }
}

void TtffSession::TakeFix(double now, const std::optional<GgaSentence>& ggaFix, bool rmcFix) {
    TtffRun run{runNumber_, plan_.mode, now - runStart_, std::nullopt, std::nullopt};
    if (ggaFix) {
        run.used = ggaFix->used;
        run.hdop = ggaFix->hdop;
        Record(now, run);
    } else if (rmcFix) {
        pending_ = run;
        phase_ = Phase::Completing;
        phaseEnd_ = now + kCompletionSeconds;
    }
}

void TtffSession::Tick(double now) {
    switch (phase_) {
        case Phase::WaitingForFix:
            if (now - runStart_ >= plan_.limitSeconds) {
                Record(now,
                       TtffRun{runNumber_, plan_.mode, std::nullopt, std::nullopt, std::nullopt});
            }
            break;
        case Phase::Completing:
            if (now >= phaseEnd_) {
                Record(now, pending_);
            }
            break;
        case Phase::Pausing:
            if (now >= phaseEnd_) {
                SendRestart(now);
            }
            break;
        case Phase::Idle:
        case Phase::Finished:
            break;
    }
}

void TtffSession::Cancel() {
    phase_ = Phase::Finished;
}

std::optional<double> TtffSession::Deadline() const {
    switch (phase_) {
        case Phase::WaitingForFix:
            return runStart_ + plan_.limitSeconds;
        case Phase::Completing:
        case Phase::Pausing:
            return phaseEnd_;
        case Phase::Idle:
        case Phase::Finished:
            break;
    }
    return std::nullopt;
}
