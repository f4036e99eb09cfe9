#pragma once

#include <optional>

#include "GnssEpoch.h"
#include "SentenceAddress.h"
#include "SentenceFields.h"

// Whether a sentence says its position is a fix: GGA quality 0, RMC or GLL status V and
// GNS mode N say it is not.
enum class PositionStatus { Unknown, Valid, Invalid };

// What one GGA, RMC, GNS, GLL or VTG sentence says about the fix; a field it lacks, or
// that does not read, is left out.
struct FixReport {
    std::optional<UtcTime> time;
    std::optional<CalendarDate> date;
    PositionStatus status = PositionStatus::Unknown;
    std::optional<double> latitude;  // signed degrees; both or neither
    std::optional<double> longitude;
    std::optional<double> altitude;
    std::optional<double> speedKnots;
    std::optional<double> courseDeg;
    std::optional<double> hdop;
    std::optional<int> satellitesUsed;
};

// `sentence` is one of GGA, RMC, GNS, GLL and VTG.
FixReport ParseFixSentence(GnssSentence sentence, const SentenceFields& fields);
