#include "SignalHistory.h"

#include <algorithm>
#include <cmath>

namespace {

// Times beyond some 30,000 years either way are not the data's; they are not stored.
constexpr double kLargestTime = 1e12;

std::optional<std::int64_t> SecondOf(double time) {
    if (!(std::abs(time) < kLargestTime)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::floor(time));
}

TimeWindow Intersect(TimeWindow a, TimeWindow b) {
    return {std::max(a.first, b.first), std::min(a.last, b.last)};
}

}  // namespace

SignalHistory::SignalHistory(std::int64_t retentionSeconds)
    : retention_(std::max<std::int64_t>(retentionSeconds, 1)), ring_(retention_) {}

bool SignalHistory::Advance(std::int64_t second) {
    const TimeWindow kept = ring_.Kept();
    if (!kept.Empty() && second < kept.last) {
        Clear();
    }
    const bool newer = kept.Empty() || second > kept.last;
    const bool stored = ring_.Slot(second) != nullptr;
    if (newer) {
        DropOld();
    }
    return stored;
}

EpochRecord* SignalHistory::Record(double time) {
    const std::optional<std::int64_t> second = SecondOf(time);
    return second && Advance(*second) ? ring_.Slot(*second) : nullptr;
}

void SignalHistory::SetInView(double time, int count) {
    if (EpochRecord* record = Record(time)) {
        record->inView = EpochRecord::Count(count);
    }
}

void SignalHistory::SetUsed(double time, int count) {
    if (EpochRecord* record = Record(time)) {
        record->used = EpochRecord::Count(count);
    }
}

void SignalHistory::SetDilutions(double time, std::optional<double> pdop,
                                 std::optional<double> hdop, std::optional<double> vdop) {
    EpochRecord* record = Record(time);
    if (record == nullptr) {
        return;
    }
    const auto set = [](std::uint16_t& field, std::optional<double> value) {
        if (value) {
            field = EpochRecord::Dop(value);
        }
    };
    set(record->pdop, pdop);
    set(record->hdop, hdop);
    set(record->vdop, vdop);
}

void SignalHistory::AddCarrierToNoise(double time, std::uint32_t key, std::string_view name,
                                      int dbHz) {
    const std::optional<std::int64_t> second = SecondOf(time);
    if (!second || !Advance(*second)) {
        return;
    }
    auto [it, added] = index_.try_emplace(key, satellites_.size());
    if (added) {
        satellites_.push_back({key, std::string(name)});
        tracks_.emplace_back();
    }
    tracks_[it->second].Set(*second, dbHz);
}

void SignalHistory::Clear() {
    ring_.Clear();
    satellites_.clear();
    tracks_.clear();
    index_.clear();
}

// Frees what fell out of the retention; satellites left without data leave the list.
void SignalHistory::DropOld() {
    const std::int64_t oldest = ring_.Kept().first;
    bool emptied = false;
    for (CarrierToNoiseTrack& track : tracks_) {
        track.DropBefore(oldest);
        emptied = emptied || track.Empty();
    }
    if (!emptied) {
        return;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        if (!tracks_[i].Empty()) {
            satellites_[kept] = std::move(satellites_[i]);
            tracks_[kept++] = std::move(tracks_[i]);
        }
    }
    satellites_.resize(kept);
    tracks_.resize(kept);
    index_.clear();
    for (std::size_t i = 0; i < kept; ++i) {
        index_[satellites_[i].key] = i;
    }
}

TimeWindow SignalHistory::Last(std::int64_t seconds) const {
    const TimeWindow kept = ring_.Kept();
    if (kept.Empty()) {
        return kept;
    }
    return Intersect(kept, {kept.last - seconds + 1, kept.last});
}

bool SignalHistory::HasData(std::uint32_t key, TimeWindow window) const {
    const auto it = index_.find(key);
    return it != index_.end() && tracks_[it->second].HasData(Intersect(window, ring_.Kept()));
}

const EpochRecord* SignalHistory::EpochAt(std::int64_t second) const {
    return ring_.Find(second);
}

std::optional<int> SignalHistory::CarrierToNoiseAt(std::uint32_t key, std::int64_t second) const {
    const auto it = index_.find(key);
    if (it == index_.end() || !ring_.Kept().Contains(second)) {
        return std::nullopt;
    }
    return tracks_[it->second].At(second);
}

void SignalHistory::Query(SeriesId series, TimeWindow window,
                          std::span<ColumnRange> columns) const {
    std::fill(columns.begin(), columns.end(), ColumnRange{});
    const PixelColumns pixels(window, static_cast<int>(columns.size()));
    if (series.kind != SeriesKind::CarrierToNoise) {
        QueryEpochs(series.kind, pixels, columns);
        return;
    }
    const auto it = index_.find(series.satellite);
    if (it == index_.end()) {
        return;
    }
    const TimeWindow kept = ring_.Kept();
    for (int c = 0; c < pixels.Count(); ++c) {
        tracks_[it->second].Scan(Intersect(pixels.Column(c), kept),
                                 columns[static_cast<std::size_t>(c)]);
    }
}

// The smallest and largest stored value of one field per column, converted at the end:
// a day at 1000 columns is 86400 integer comparisons.
template <typename Field>
void SignalHistory::QueryField(Field EpochRecord::*field, Field none, double scale,
                               const PixelColumns& pixels, std::span<ColumnRange> columns) const {
    for (int c = 0; c < pixels.Count(); ++c) {
        Field lowest = none;
        Field highest = 0;
        bool any = false;
        ring_.ForEach(pixels.Column(c), [&](const EpochRecord& record) {
            const Field value = record.*field;
            if (value != none) {
                any = true;
                lowest = std::min(lowest, value);
                highest = std::max(highest, value);
            }
        });
        if (any) {
            ColumnRange& range = columns[static_cast<std::size_t>(c)];
            range.Include(lowest * scale);
            range.Include(highest * scale);
        }
    }
}

void SignalHistory::QueryEpochs(SeriesKind kind, const PixelColumns& pixels,
                                std::span<ColumnRange> columns) const {
    constexpr double kHundredth = 0.01;
    switch (kind) {
        case SeriesKind::InView:
            return QueryField(&EpochRecord::inView, EpochRecord::kNoCount, 1.0, pixels, columns);
        case SeriesKind::Used:
            return QueryField(&EpochRecord::used, EpochRecord::kNoCount, 1.0, pixels, columns);
        case SeriesKind::Pdop:
            return QueryField(&EpochRecord::pdop, EpochRecord::kNoDop, kHundredth, pixels, columns);
        case SeriesKind::Hdop:
            return QueryField(&EpochRecord::hdop, EpochRecord::kNoDop, kHundredth, pixels, columns);
        case SeriesKind::Vdop:
            return QueryField(&EpochRecord::vdop, EpochRecord::kNoDop, kHundredth, pixels, columns);
        case SeriesKind::CarrierToNoise:
            break;
    }
}

std::size_t SignalHistory::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + ring_.MemoryBytes() +
                        satellites_.capacity() * sizeof(SatelliteInfo) +
                        index_.size() * (sizeof(std::uint32_t) + 2 * sizeof(std::size_t)) +
                        index_.bucket_count() * sizeof(void*);
    for (const CarrierToNoiseTrack& track : tracks_) {
        bytes += track.MemoryBytes();
    }
    return bytes;
}
