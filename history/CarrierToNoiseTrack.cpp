#include "CarrierToNoiseTrack.h"

#include <algorithm>

std::int64_t CarrierToNoiseTrack::BlockStart(std::int64_t second) {
    const std::int64_t remainder = second % kBlockSeconds;
    return second - (remainder < 0 ? remainder + kBlockSeconds : remainder);
}

std::size_t CarrierToNoiseTrack::FirstBlockEndingAfter(std::int64_t second) const {
    const auto found = std::partition_point(
        blocks_.begin(), blocks_.end(),
        [second](const auto& block) { return block->start + kBlockSeconds <= second; });
    return static_cast<std::size_t>(found - blocks_.begin());
}

void CarrierToNoiseTrack::Set(std::int64_t second, int dbHz) {
    const std::int64_t start = BlockStart(second);
    if (blocks_.empty() || blocks_.back()->start < start) {
        auto block = std::make_unique<Block>();
        block->start = start;
        block->values.fill(kNone);
        blocks_.push_back(std::move(block));
    }
    const std::size_t index = FirstBlockEndingAfter(second);
    if (index == blocks_.size() || blocks_[index]->start != start) {
        return;
    }
    blocks_[index]->values[static_cast<std::size_t>(second - start)] =
        static_cast<std::uint8_t>(std::clamp(dbHz, 0, kMaxValue));
}

std::optional<int> CarrierToNoiseTrack::At(std::int64_t second) const {
    const std::size_t index = FirstBlockEndingAfter(second);
    if (index == blocks_.size() || blocks_[index]->start > second) {
        return std::nullopt;
    }
    const std::uint8_t value =
        blocks_[index]->values[static_cast<std::size_t>(second - blocks_[index]->start)];
    return value == kNone ? std::nullopt : std::optional<int>(value);
}

// Branch-free over the bytes, so that the compiler vectorises it: kNone (0xFF) is the
// largest byte, so it never lowers the minimum, and wraps to 0 when one is added, so it never
// raises the maximum of value + 1.
void CarrierToNoiseTrack::Scan(TimeWindow window, ColumnRange& range) const {
    for (std::size_t i = FirstBlockEndingAfter(window.first);
         i < blocks_.size() && blocks_[i]->start <= window.last; ++i) {
        const Block& block = *blocks_[i];
        const std::int64_t from = std::max(window.first, block.start) - block.start;
        const std::int64_t to =
            std::min(window.last, block.start + kBlockSeconds - 1) - block.start;
        std::uint8_t lowest = kNone;
        std::uint8_t highestPlusOne = 0;
        for (std::int64_t s = from; s <= to; ++s) {
            const std::uint8_t value = block.values[static_cast<std::size_t>(s)];
            lowest = std::min(lowest, value);
            highestPlusOne = std::max(highestPlusOne, static_cast<std::uint8_t>(value + 1));
        }
        if (highestPlusOne > 0) {
            range.Include(lowest);
            range.Include(highestPlusOne - 1);
        }
    }
}

bool CarrierToNoiseTrack::HasData(TimeWindow window) const {
    ColumnRange range;
    Scan(window, range);
    return range.hasData;
}

void CarrierToNoiseTrack::DropBefore(std::int64_t second) {
    blocks_.erase(blocks_.begin(),
                  blocks_.begin() + static_cast<std::ptrdiff_t>(FirstBlockEndingAfter(second)));
}

std::size_t CarrierToNoiseTrack::MemoryBytes() const {
    return sizeof(*this) + blocks_.size() * sizeof(Block) +
           blocks_.capacity() * sizeof(std::unique_ptr<Block>);
}
