#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "GgaReader.h"
#include "GpsTime.h"
#include "InitSettings.h"
#include "RestartCommand.h"
#include "TtffResults.h"

// What a time-to-first-fix test does: `runs` restarts of the receiver in `mode`, each given
// `limitSeconds` to reach a fix, with `pauseSeconds` after each run before the next restart.
struct TtffPlan {
    static constexpr int kMaxRuns = 100;
    static constexpr double kDefaultLimitSeconds = 120.0;
    static constexpr double kDefaultPauseSeconds = 3.0;

    RestartMode mode = RestartMode::Cold;
    int runs = 1;  // 1 .. kMaxRuns
    double limitSeconds = kDefaultLimitSeconds;
    double pauseSeconds = kDefaultPauseSeconds;
};

// The time-to-first-fix test as a state machine, driven by its caller (the test dialog, or
// kelmstar-decode --ttff) with the time in seconds on any steady clock of its own:
//
//   TtffSession session(plan, settings, [&](std::string_view bytes) { write(bytes); });
//   session.Start(now);                           // the first restart goes out
//   session.OnSentence(now, framedSentence);      // for every sentence received
//   session.Tick(now);                            // now and then (every 100 ms, say)
//
// Each run sends the restart command exactly as the "Receiver Initialization" dialog builds
// it (RestartCommandBytes: the stored `settings`, the mode, the computer's clock) and
// measures from the write to the first fix: a GGA of quality 1 or more or an RMC of status
// A, of any talker. When an RMC comes first, the satellites used and the HDOP come from the
// next GGA with a fix, if one follows within kCompletionSeconds.
class TtffSession {
public:
    enum class Phase {
        Idle,           // not started
        WaitingForFix,  // a restart went out
        Completing,     // an RMC fix came; waiting for its GGA
        Pausing,        // between runs
        Finished,       // all runs done, cancelled, or a command could not be built
    };
    using Sender = std::function<void(std::string_view bytes)>;
    using Clock = std::function<CalendarTime()>;
    using RunFinished = std::function<void(const TtffRun&)>;

    static constexpr double kCompletionSeconds = 1.5;

    TtffSession(const TtffPlan& plan, const InitSettings& settings, Sender send,
                Clock calendar = LocalCalendarTime);

    // Called with each run as soon as it is recorded.
    void SetRunFinished(RunFinished callback) { runFinished_ = std::move(callback); }

    // Sends the first restart; false, with Error() set and nothing sent, when the command
    // cannot be built from the settings.
    bool Start(double now);
    void OnSentence(double now, std::string_view sentence);
    void Tick(double now);
    // Ends the test; the run in progress is not recorded.
    void Cancel();

    Phase CurrentPhase() const { return phase_; }
    const TtffPlan& Plan() const { return plan_; }
    // The run in progress or last done (1-based; 0 before the start) and when its restart
    // went out, for a progress display.
    int RunNumber() const { return runNumber_; }
    double RunStartedAt() const { return runStart_; }
    // When Tick next has something to do (a time limit, a pause's end), if anything.
    std::optional<double> Deadline() const;

    const std::vector<TtffRun>& Runs() const { return runs_; }
    TtffSummary Summary() const { return SummarizeRuns(plan_.mode, runs_); }
    const std::string& Error() const { return error_; }

private:
    bool SendRestart(double now);
    // While waiting: a GGA with a fix ends the run, an RMC with a fix waits for its GGA.
    void TakeFix(double now, const std::optional<GgaSentence>& ggaFix, bool rmcFix);
    void Record(double now, TtffRun run);

    TtffPlan plan_;
    InitSettings settings_;
    Sender send_;
    Clock calendar_;
    RunFinished runFinished_;

    Phase phase_ = Phase::Idle;
    int runNumber_ = 0;
    double runStart_ = 0.0;
    double phaseEnd_ = 0.0;  // end of Completing or Pausing
    TtffRun pending_;        // the RMC fix waiting for its GGA
    std::vector<TtffRun> runs_;
    std::string error_;
};
