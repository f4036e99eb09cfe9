#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "LocalFrame.h"
#include "PixelColumns.h"
#include "TimeWindow.h"

// One stored fix: the data's own time in seconds and the place.
struct SurveyFix {
    double time = 0.0;
    GeoPoint place;
};

// A fix's offset from the reference, for the scatter plot (east, north) and the altitude
// chart (up over time).
struct Deviation {
    double time = 0.0;
    EnuOffset offset;
};

// The figures of a survey, in metres:
// - sigmas: population standard deviations of the east, north and up deviations;
// - cep50, cep95: the smallest horizontal distance from the reference that holds at least
//   50 % / 95 % of the fixes (the ascending distances at index ceil(p*n)-1);
// - drms2: 2 * sqrt(sigmaEast^2 + sigmaNorth^2);
// - maxHorizontal: the largest horizontal distance from the reference.
struct SurveyFigures {
    double sigmaEast = 0.0;
    double sigmaNorth = 0.0;
    double sigmaUp = 0.0;
    double cep50 = 0.0;
    double cep95 = 0.0;
    double drms2 = 0.0;
    double maxHorizontal = 0.0;
};

struct SurveySummary {
    std::size_t fixes = 0;
    bool referenceSet = false;             // false: the reference is the mean position
    std::optional<GeoPoint> reference;     // none without fixes unless set
    std::optional<SurveyFigures> figures;  // none without fixes
};

// The spread of the fixes of a receiver standing still: it keeps the last `capacity` fixes
// (a day at 1 Hz by default; the oldest go first), so that the reference can change and
// everything is computed again from them. Each call computes in time proportional to the
// number of fixes, fit for a view refreshed every second at any playback speed.
//
// A fix, in the program, kelmstar-decode and the tests alike, is a GGA sentence with quality
// 1 or more and a whole position (GgaSentence::IsPositionFix), of the "GP" talker in the
// GPS-only mode and of any talker with every satellite system.
class PositionStatistics {
public:
    static constexpr std::size_t kDefaultCapacity = 86400;

    explicit PositionStatistics(std::size_t capacity = kDefaultCapacity);

    void Add(double time, const GeoPoint& place);
    // Starts a new survey: the fixes go, a reference set stays.
    void Reset();

    // Measures from a known place instead of the mean position.
    void SetReference(const GeoPoint& reference);
    void UseMeanReference();

    std::size_t Count() const { return fixes_.size(); }
    const std::deque<SurveyFix>& Fixes() const { return fixes_; }

    // The reference in use: the one set, else the mean latitude, longitude and altitude of
    // the fixes (none without fixes).
    std::optional<GeoPoint> Reference() const;

    SurveySummary Summary() const;

    // Every fix's offset from the reference, oldest first (empty without a reference).
    std::vector<Deviation> Deviations() const;

    // The summary and the deviations it was computed from, for a view that shows both.
    struct Survey {
        SurveySummary summary;
        std::vector<Deviation> deviations;
    };
    Survey Surveyed() const;

    // The up deviation over time for a chart: one ColumnRange per element of `columns`,
    // the window split into that many pixel columns (PixelColumns).
    static void UpColumns(std::span<const Deviation> deviations, TimeWindow window,
                          std::span<ColumnRange> columns);

private:
    GeoPoint MeanPosition() const;
    std::vector<Deviation> DeviationsFrom(const std::optional<GeoPoint>& reference) const;
    SurveySummary SummaryOf(const std::optional<GeoPoint>& reference,
                            std::span<const Deviation> deviations) const;

    std::size_t capacity_;
    std::deque<SurveyFix> fixes_;
    std::optional<GeoPoint> setReference_;
};
