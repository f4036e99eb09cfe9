#pragma once

#include <cstdint>
#include <vector>

#include "TrackPoint.h"

// The map's track: the positions of the last 24 hours at one a second. The number
// in use is kept by the caller (AppState::mapPointCount) so that a reset needs only
// that record; once the history is full, each new point replaces the oldest.
class TrackHistory {
public:
    static constexpr std::int32_t kCapacity = 86400;

    TrackHistory();

    // Stores `point` after the `count` points in use and updates `count`, which
    // stays at kCapacity once the history is full.
    void Append(std::int32_t& count, TrackPoint point);

    // Point `index` of the `count` in use, 0 the oldest; `index` must lie in 0..count-1.
    TrackPoint At(std::int32_t count, std::int32_t index) const;

    // `count` as the history can hold it: 0..kCapacity.
    static std::int32_t InUse(std::int32_t count);

private:
    std::int32_t SlotOf(std::int32_t index) const;

    // Parallel arrays of east and north offsets.
    std::vector<float> east_;
    std::vector<float> north_;
    // The slot of the oldest point once the history has wrapped.
    std::int32_t oldestSlot_ = 0;
};
