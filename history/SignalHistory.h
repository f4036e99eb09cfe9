#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "CarrierToNoiseTrack.h"
#include "EpochRing.h"
#include "PixelColumns.h"
#include "TimeWindow.h"

// A satellite signal as the caller names it: a small key of its own choosing (system,
// number and signal packed in 32 bits, say) and the name a chart's legend shows ("G05").
struct SatelliteInfo {
    std::uint32_t key = 0;
    std::string name;
};

// The series a chart can draw.
enum class SeriesKind { CarrierToNoise, InView, Used, Pdop, Hdop, Vdop };
struct SeriesId {
    SeriesKind kind = SeriesKind::InView;
    std::uint32_t satellite = 0;  // the key, for CarrierToNoise only
};

// The receiver's signals over time: C/N0 per satellite signal, satellites in view and
// used, PDOP, HDOP and VDOP, at one-second resolution, for the last `retention` seconds of
// the data's own time (a day by default; older data is dropped as new data comes).
//
// Times are the data's own, in seconds on a continuous scale (see DayTimeUnwrapper); a
// value stored twice in one second replaces the first. A time earlier than the newest
// second stored starts the history anew (a log played again from its beginning); a time
// that is not finite is ignored.
class SignalHistory {
public:
    static constexpr std::int64_t kDefaultRetention = 86400;

    explicit SignalHistory(std::int64_t retentionSeconds = kDefaultRetention);

    void SetInView(double time, int count);
    void SetUsed(double time, int count);
    // A dilution that is missing stays as it was in this second (none, unless set before).
    void SetDilutions(double time, std::optional<double> pdop, std::optional<double> hdop,
                      std::optional<double> vdop);
    // `name` is taken at a satellite's first sample.
    void AddCarrierToNoise(double time, std::uint32_t key, std::string_view name, int dbHz);
    void Clear();

    // The seconds kept, oldest to newest; empty before any data.
    TimeWindow Kept() const { return ring_.Kept(); }
    // The last `seconds` seconds up to the newest (the chart's 5 min, 1 h or 24 h); cut to
    // what is kept. Kept() is the chart's "all".
    TimeWindow Last(std::int64_t seconds) const;

    // The satellites with data kept, in the order they first came.
    const std::vector<SatelliteInfo>& Satellites() const { return satellites_; }
    bool HasData(std::uint32_t key, TimeWindow window) const;

    // Fills one ColumnRange per element of `columns`: the window split into that many pixel
    // columns (PixelColumns), each with the smallest and largest value of the series in it.
    void Query(SeriesId series, TimeWindow window, std::span<ColumnRange> columns) const;

    // Single values, for export: the record of a second and a satellite's C/N0 in it.
    const EpochRecord* EpochAt(std::int64_t second) const;
    std::optional<int> CarrierToNoiseAt(std::uint32_t key, std::int64_t second) const;

    std::size_t MemoryBytes() const;

private:
    EpochRecord* Record(double time);
    // Moves the history forward to `second` (starting anew when it lies before the newest);
    // false when the second cannot be stored.
    bool Advance(std::int64_t second);
    void DropOld();
    void QueryEpochs(SeriesKind kind, const PixelColumns& pixels,
                     std::span<ColumnRange> columns) const;
    template <typename Field>
    void QueryField(Field EpochRecord::*field, Field none, double scale, const PixelColumns& pixels,
                    std::span<ColumnRange> columns) const;

    std::int64_t retention_;
    EpochRing ring_;
    std::vector<SatelliteInfo> satellites_;
    std::vector<CarrierToNoiseTrack> tracks_;  // parallel to satellites_
    std::unordered_map<std::uint32_t, std::size_t> index_;
};
