#pragma once

#include <cstdint>

#include "TimeWindow.h"

// The stretch of the signal history a chart shows: the last `span` seconds of what is kept,
// or all of it. It follows the newest second unless scrolled back; scrolled to the newest
// end again, it follows again. Scroll positions count the seconds from the oldest kept to the
// first shown.
class HistoryWindow {
public:
    static constexpr std::int64_t kAll = 0;

    void SetSpan(std::int64_t seconds);  // kAll: everything kept
    bool Following() const { return following_; }

    TimeWindow Shown(TimeWindow kept) const;

    // The last scroll position: 0 when everything kept is shown.
    std::int64_t ScrollRange(TimeWindow kept) const;
    std::int64_t ScrollPosition(TimeWindow kept) const;
    void ScrollTo(std::int64_t position, TimeWindow kept);
    void ScrollBy(std::int64_t seconds, TimeWindow kept);

private:
    std::int64_t span_ = kAll;
    bool following_ = true;
    std::int64_t last_ = 0;  // the last second shown, while scrolled back
};
