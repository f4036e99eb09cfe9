#pragma once

#include <cstdio>
#include <iosfwd>

#include "SignalHistory.h"
#include "TimeWindow.h"

// Writes the seconds of `window` that hold data as CSV, one line each:
//   time,in_view,used,pdop,hdop,vdop,<one column per satellite, headed by its name>
// time in whole seconds of the data's time; a field is empty where the second has no
// value. The satellite columns are those with data in the window, in the order they first
// came. Returns false when a write failed.
bool WriteHistoryCsv(const SignalHistory& history, TimeWindow window, std::ostream& out);
bool WriteHistoryCsv(const SignalHistory& history, TimeWindow window, std::FILE* out);
