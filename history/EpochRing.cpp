#include "EpochRing.h"

#include <algorithm>
#include <cmath>

std::uint8_t EpochRecord::Count(int count) {
    return static_cast<std::uint8_t>(std::clamp(count, 0, kNoCount - 1));
}

std::uint16_t EpochRecord::Dop(std::optional<double> dop) {
    if (!dop || !std::isfinite(*dop) || *dop < 0.0) {
        return kNoDop;
    }
    return static_cast<std::uint16_t>(std::min(std::lround(*dop * 100.0), long{kNoDop - 1}));
}

std::optional<double> EpochRecord::DopValue(std::uint16_t stored) {
    return stored == kNoDop ? std::nullopt : std::optional<double>(stored / 100.0);
}

EpochRing::EpochRing(std::int64_t capacity) : capacity_(std::max<std::int64_t>(capacity, 1)) {}

std::size_t EpochRing::Index(std::int64_t second) const {
    const std::int64_t index = second % capacity_;
    return static_cast<std::size_t>(index < 0 ? index + capacity_ : index);
}

TimeWindow EpochRing::Kept() const {
    if (!first_) {
        return {};
    }
    return {std::max(*first_, newest_ - capacity_ + 1), newest_};
}

EpochRecord* EpochRing::Slot(std::int64_t second) {
    if (!first_) {
        records_.assign(static_cast<std::size_t>(capacity_), EpochRecord{});
        first_ = second;
        newest_ = second;
    }
    if (second > newest_) {
        // Only the slots that come back into use need emptying; at most the whole ring.
        const std::int64_t from = std::max(newest_ + 1, second - capacity_ + 1);
        for (std::int64_t s = from; s <= second; ++s) {
            records_[Index(s)] = EpochRecord{};
        }
        newest_ = second;
    }
    if (!Kept().Contains(second)) {
        return nullptr;
    }
    return &records_[Index(second)];
}

const EpochRecord* EpochRing::Find(std::int64_t second) const {
    return Kept().Contains(second) ? &records_[Index(second)] : nullptr;
}

void EpochRing::Clear() {
    records_.clear();
    records_.shrink_to_fit();
    first_.reset();
    newest_ = 0;
}

std::size_t EpochRing::MemoryBytes() const {
    return sizeof(*this) + records_.capacity() * sizeof(EpochRecord);
}
