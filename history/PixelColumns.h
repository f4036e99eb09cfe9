#pragma once

#include <cstdint>

#include "TimeWindow.h"

// What one pixel column of a chart shows of a series: the smallest and largest value in its
// seconds, or nothing (a gap: the chart breaks its line there).
struct ColumnRange {
    bool hasData = false;
    double min = 0.0;
    double max = 0.0;

    void Include(double value) {
        if (!hasData) {
            hasData = true;
            min = max = value;
            return;
        }
        min = value < min ? value : min;
        max = value > max ? value : max;
    }
};

// Splits a time window into `count` pixel columns of (nearly) equal length. Every second
// falls into at least one column and every column covers at least one second: when the
// window has fewer seconds than columns, neighbouring columns show the same second.
class PixelColumns {
public:
    PixelColumns(TimeWindow window, int count);

    int Count() const { return count_; }

    // The seconds column `column` (0 .. Count()-1) covers.
    TimeWindow Column(int column) const;

    // The column a time in seconds falls into, or -1 outside the window.
    int ColumnOf(double time) const;

private:
    TimeWindow window_;
    int count_;
};
