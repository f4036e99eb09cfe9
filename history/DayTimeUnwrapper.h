#pragma once

#include <optional>

// Turns the UTC time of day that sentences carry (seconds since midnight) into a continuous
// time for SignalHistory and PositionStatistics: past midnight the count goes on at 86400
// instead of starting again at 0. A time more than half a day before the last one counts as
// the next day; any other step back is taken as it is (the caller's history starts anew).
class DayTimeUnwrapper {
public:
    static constexpr double kSecondsPerDay = 86400.0;

    double Continuous(double secondOfDay);
    void Reset();

private:
    std::optional<double> last_;
    double days_ = 0.0;
};
