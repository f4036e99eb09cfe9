#include "PixelColumns.h"

#include <cmath>

PixelColumns::PixelColumns(TimeWindow window, int count)
    : window_(window), count_(count > 0 && !window.Empty() ? count : 0) {}

TimeWindow PixelColumns::Column(int column) const {
    const std::int64_t seconds = window_.Seconds();
    const std::int64_t from = window_.first + column * seconds / count_;
    const std::int64_t to = window_.first + (column + 1) * seconds / count_ - 1;
    return {from, to < from ? from : to};
}

int PixelColumns::ColumnOf(double time) const {
    const double second = std::floor(time);
    if (count_ == 0 || second < static_cast<double>(window_.first) ||
        second > static_cast<double>(window_.last)) {
        return -1;
    }
    // The last column whose first second is at or before `second`.
    const std::int64_t offset = static_cast<std::int64_t>(second) - window_.first;
    return static_cast<int>(((offset + 1) * count_ - 1) / window_.Seconds());
}
