#pragma once

#include <string_view>

#include "DayTimeUnwrapper.h"
#include "GgaReader.h"
#include "PositionStatistics.h"

// The fixes of framed sentences for PositionStatistics, taken the same way in the program's
// Position Statistics and kelmstar-decode --survey: a GGA of quality 1 or more with a whole
// position, of the talkers counted. One without a time is put at the time of the fix before.
class FixIntake {
public:
    FixIntake(PositionStatistics& statistics, TalkerFilter filter);

    void SetTalkers(TalkerFilter filter) { filter_ = filter; }
    // A new source: its times count from its own first day.
    void SourceStarted() { clock_.Reset(); }
    // A framed sentence (its text after "$").
    void Sentence(std::string_view text);

private:
    PositionStatistics& statistics_;
    TalkerFilter filter_;
    DayTimeUnwrapper clock_;
    double lastTime_ = 0.0;
};
