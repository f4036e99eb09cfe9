#pragma once

#include <cstdio>
#include <iosfwd>
#include <optional>
#include <vector>

#include "RestartCommand.h"

// One time-to-first-fix run: from the write of the restart command to the first fix.
struct TtffRun {
    int number = 0;  // 1 for the first run
    RestartMode mode = RestartMode::Cold;
    std::optional<double> seconds;  // none when the time limit passed without a fix
    std::optional<int> used;        // satellites used at the fix, from its GGA
    std::optional<double> hdop;     // HDOP at the fix, from its GGA
};

// The runs that got a fix, summed up: fastest, median (the mean of the middle two for an
// even count), mean and slowest, in seconds; none without any fix.
struct TtffSummary {
    RestartMode mode = RestartMode::Cold;
    int runs = 0;
    int fixed = 0;
    std::optional<double> min;
    std::optional<double> median;
    std::optional<double> mean;
    std::optional<double> max;
};

TtffSummary SummarizeRuns(RestartMode mode, const std::vector<TtffRun>& runs);

// Writes the runs as CSV, one line each: run,mode,seconds,used,hdop (a field empty where
// there is no value). Returns false when a write failed.
bool WriteTtffCsv(const std::vector<TtffRun>& runs, std::ostream& out);
bool WriteTtffCsv(const std::vector<TtffRun>& runs, std::FILE* out);
