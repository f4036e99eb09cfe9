#include "TrackHistory.h"

#include <algorithm>

TrackHistory::TrackHistory() : east_(kCapacity, 0.0f), north_(kCapacity, 0.0f) {}

std::int32_t TrackHistory::InUse(std::int32_t count) {
    return std::clamp(count, 0, kCapacity);
}

std::int32_t TrackHistory::SlotOf(std::int32_t index) const {
    return (oldestSlot_ + index) % kCapacity;
}

void TrackHistory::Append(std::int32_t& count, TrackPoint point) {
    count = InUse(count);
    if (count == 0) {
        oldestSlot_ = 0;  // a reset only sets the count to 0
    }
    const std::int32_t slot = SlotOf(count);
    east_[slot] = point.east;
    north_[slot] = point.north;
    if (count < kCapacity) {
        ++count;
    } else {
        oldestSlot_ = (oldestSlot_ + 1) % kCapacity;
    }
}

TrackPoint TrackHistory::At(std::int32_t count, std::int32_t index) const {
    const std::int32_t inUse = InUse(count);
    const std::int32_t bounded = std::clamp(index, 0, std::max(inUse - 1, 0));
    const std::int32_t slot = SlotOf(bounded);
    return {east_[slot], north_[slot]};
}
