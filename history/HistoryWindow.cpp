#include "HistoryWindow.h"

#include <algorithm>

void HistoryWindow::SetSpan(std::int64_t seconds) {
    span_ = std::max<std::int64_t>(seconds, kAll);
    following_ = true;  // a new span starts at the present
}

TimeWindow HistoryWindow::Shown(TimeWindow kept) const {
    if (kept.Empty() || span_ == kAll || kept.Seconds() <= span_) {
        return kept;
    }
    const std::int64_t last =
        following_ ? kept.last : std::clamp(last_, kept.first + span_ - 1, kept.last);
    return {last - span_ + 1, last};
}

std::int64_t HistoryWindow::ScrollRange(TimeWindow kept) const {
    return kept.Seconds() - Shown(kept).Seconds();
}

std::int64_t HistoryWindow::ScrollPosition(TimeWindow kept) const {
    return kept.Empty() ? 0 : Shown(kept).first - kept.first;
}

void HistoryWindow::ScrollTo(std::int64_t position, TimeWindow kept) {
    const std::int64_t range = ScrollRange(kept);
    if (range == 0) {
        following_ = true;
        return;
    }
    position = std::clamp<std::int64_t>(position, 0, range);
    following_ = position == range;
    last_ = kept.first + position + span_ - 1;
}

void HistoryWindow::ScrollBy(std::int64_t seconds, TimeWindow kept) {
    ScrollTo(ScrollPosition(kept) + seconds, kept);
}
