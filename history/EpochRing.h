#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "TimeWindow.h"

// What the receiver said of one second as a whole, in 8 bytes: satellites in view and used,
// and the dilutions of precision in hundredths.
struct EpochRecord {
    static constexpr std::uint8_t kNoCount = 0xFF;
    static constexpr std::uint16_t kNoDop = 0xFFFF;

    std::uint8_t inView = kNoCount;
    std::uint8_t used = kNoCount;
    std::uint16_t pdop = kNoDop;
    std::uint16_t hdop = kNoDop;
    std::uint16_t vdop = kNoDop;

    bool Empty() const {
        return inView == kNoCount && used == kNoCount && pdop == kNoDop && hdop == kNoDop &&
               vdop == kNoDop;
    }
    static std::uint8_t Count(int count);                 // 0..254
    static std::uint16_t Dop(std::optional<double> dop);  // 0..655.34 in hundredths
    static std::optional<double> DopValue(std::uint16_t stored);
};

// One EpochRecord per second for the last `capacity` seconds up to the newest one stored,
// in a ring allocated at the first record.
class EpochRing {
public:
    explicit EpochRing(std::int64_t capacity);

    // The record of `second`, made (empty) when it is newer than the newest: the seconds
    // skipped in between are emptied. Returns nullptr for a second older than the ring keeps.
    EpochRecord* Slot(std::int64_t second);

    // The record of `second`, or nullptr when it is not kept.
    const EpochRecord* Find(std::int64_t second) const;

    // Calls `visit(record)` for each second of `window` that is kept, in order.
    template <typename Visit>
    void ForEach(TimeWindow window, Visit&& visit) const {
        const TimeWindow kept = Kept();
        const std::int64_t first = window.first > kept.first ? window.first : kept.first;
        const std::int64_t last = window.last < kept.last ? window.last : kept.last;
        std::size_t index = first <= last ? Index(first) : 0;
        for (std::int64_t s = first; s <= last; ++s) {
            visit(records_[index]);
            index = index + 1 == records_.size() ? 0 : index + 1;
        }
    }

    // The seconds kept: from the first stored (or `capacity` seconds back) to the newest.
    TimeWindow Kept() const;

    void Clear();
    std::size_t MemoryBytes() const;

private:
    std::size_t Index(std::int64_t second) const;

    std::int64_t capacity_;
    std::vector<EpochRecord> records_;
    std::optional<std::int64_t> first_;
    std::int64_t newest_ = 0;
};
