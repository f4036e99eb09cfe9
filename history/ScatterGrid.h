#pragma once

#include <span>
#include <vector>

#include "LocalFrame.h"
#include "PositionStatistics.h"

// A scatter plot's square around the reference, split into cells of a pixel or two: a day of
// fixes at 1 Hz is drawn as the cells it occupies, each once, so drawing costs what the plot
// has room for rather than what the survey holds.
class ScatterGrid {
public:
    // `cells` by `cells` cells over a square reaching `halfSide` metres east, west, north and
    // south of the reference.
    ScatterGrid(double halfSide, int cells);

    // The half side that shows every fix and the CEP95 circle, a round number of metres.
    static double HalfSideFor(const SurveyFigures& figures);

    double CellSize() const { return cellSize_; }

    // The centres (east and north; up is 0) of the cells that hold a fix, each once, in no
    // particular order. Fixes outside the square are left out.
    std::vector<EnuOffset> Occupied(std::span<const Deviation> deviations) const;

private:
    double halfSide_;
    int cells_;
    double cellSize_;
};
