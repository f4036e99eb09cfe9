#pragma once

#include <string>
#include <vector>

#include "LineStatistics.h"

// One line of the line statistics as shown: what is counted and its value.
struct LineReportRow {
    std::string name;
    std::string value;
};

// What the statistics alone do not know.
struct LineRates {
    double bytesPerSecond = 0.0;
    int baudRate = 0;              // 0 where the source has no line speed (playback)
    double secondsSinceByte = -1;  // below 0: no byte since Start
};

// The rows of the "Line Statistics" window, in a fixed order: totals, sentences per kind,
// checksum and framing faults, noise, rates, then one row per address seen.
std::vector<LineReportRow> MakeLineReport(const LineStatistics& statistics, const LineRates& rates);
