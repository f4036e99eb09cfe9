#pragma once

#include <string>

#include "CanvasTypes.h"
#include "SatInView.h"

// The signal level table's rows: one per channel slot, 1..12.

// The row of one slot: PRN, elevation, azimuth and C/No aligned under the headings.
std::string FormatSignalRow(const SatInView& sat);

// Blue for a tracked satellite, red for one without signal; green for every row
// while a fix is available.
Rgb SignalRowColour(const SatInView& sat, int fixAvailable);

// Which rows one GSV message rewrites and which it empties. Ranges are inclusive
// and empty when first > last.
struct SignalRowPlan {
    int firstWritten = 1;
    int lastWritten = 0;
    int firstBlanked = 1;
    int lastBlanked = 0;
};

SignalRowPlan PlanSignalRows(int messageNumber, int messageCount);
