#include "ScatterGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "NiceNumbers.h"

namespace {

// The smallest square shown: a survey of a receiver that never moves has no spread at all.
constexpr double kSmallestHalfSide = 0.1;  // metres

}  // namespace

ScatterGrid::ScatterGrid(double halfSide, int cells)
    : halfSide_(std::isfinite(halfSide) && halfSide > 0.0 ? halfSide : kSmallestHalfSide),
      cells_(std::max(cells, 1)),
      cellSize_(2.0 * halfSide_ / cells_) {}

double ScatterGrid::HalfSideFor(const SurveyFigures& figures) {
    return NiceCeiling(std::max({figures.maxHorizontal, figures.cep95, kSmallestHalfSide}));
}

std::vector<EnuOffset> ScatterGrid::Occupied(std::span<const Deviation> deviations) const {
    std::vector<std::uint8_t> taken(static_cast<std::size_t>(cells_) * cells_, 0);
    std::vector<EnuOffset> centres;
    const auto cellOf = [this](double metres) {
        // A fix on the far edge belongs to the last cell, not to one beyond it.
        return std::min(static_cast<int>((metres + halfSide_) / cellSize_), cells_ - 1);
    };
    for (const Deviation& deviation : deviations) {
        const EnuOffset& offset = deviation.offset;
        if (!(std::abs(offset.east) <= halfSide_ && std::abs(offset.north) <= halfSide_)) {
            continue;
        }
        const int x = cellOf(offset.east);
        const int y = cellOf(offset.north);
        std::uint8_t& cell = taken[static_cast<std::size_t>(y) * cells_ + x];
        if (cell == 0) {
            cell = 1;
            centres.push_back(
                {-halfSide_ + (x + 0.5) * cellSize_, -halfSide_ + (y + 0.5) * cellSize_, 0.0});
        }
    }
    return centres;
}
