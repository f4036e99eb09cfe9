#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "PixelColumns.h"
#include "TimeWindow.h"

// One satellite signal's carrier-to-noise ratio over time, one byte a second, kept in
// blocks of kBlockSeconds aligned to multiples of it. Seconds without a sample cost a byte
// only inside a block that has some; a satellite out of view for hours costs nothing.
class CarrierToNoiseTrack {
public:
    static constexpr std::int64_t kBlockSeconds = 512;
    static constexpr int kMaxValue = 254;  // dB-Hz; higher values are stored as this

    // Stores the value of `second`, replacing one stored before. A second before the oldest
    // block and outside every block is ignored: data only grows forward in time.
    void Set(std::int64_t second, int dbHz);

    std::optional<int> At(std::int64_t second) const;

    // Widens `range` by the values of the seconds in `window`.
    void Scan(TimeWindow window, ColumnRange& range) const;

    // Whether any second of `window` has a value.
    bool HasData(TimeWindow window) const;

    // Frees the blocks that end before `second`.
    void DropBefore(std::int64_t second);

    bool Empty() const { return blocks_.empty(); }
    std::size_t MemoryBytes() const;

private:
    static constexpr std::uint8_t kNone = 0xFF;
    struct Block {
        std::int64_t start = 0;
        std::array<std::uint8_t, kBlockSeconds> values;
    };

    static std::int64_t BlockStart(std::int64_t second);
    // The first block that ends after `second` (blocks_.size() when none).
    std::size_t FirstBlockEndingAfter(std::int64_t second) const;

    std::vector<std::unique_ptr<Block>> blocks_;  // ascending start
};
