#pragma once

#include <cstdio>
#include <iosfwd>

#include "PositionStatistics.h"

// Writes the fixes of a survey as CSV, oldest first:
//   time,lat,lon,alt,east,north,up
// time in seconds of the data's time, latitude and longitude in signed degrees, the rest
// in metres (east, north and up from the reference in use). Returns false when a write
// failed.
bool WriteSurveyCsv(const PositionStatistics& statistics, std::ostream& out);
bool WriteSurveyCsv(const PositionStatistics& statistics, std::FILE* out);
