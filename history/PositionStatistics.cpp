#include "PositionStatistics.h"

#include <algorithm>
#include <cmath>

namespace {

// The ascending value at index ceil(percent/100 * n) - 1, found in place in O(n); the
// ceiling is taken in integers so that 95 % of 20 is exactly 19.
double Percentile(std::vector<double>& values, std::size_t percent) {
    const std::size_t count = (percent * values.size() + 99) / 100;
    const auto nth = values.begin() + static_cast<std::ptrdiff_t>(count == 0 ? 0 : count - 1);
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

// Running mean and variance (Welford), steady however far the values lie from zero.
class Spread {
public:
    void Add(double value) {
        ++count_;
        const double delta = value - mean_;
        mean_ += delta / static_cast<double>(count_);
        squares_ += delta * (value - mean_);
    }
    double PopulationSigma() const {
        return count_ == 0 ? 0.0 : std::sqrt(squares_ / static_cast<double>(count_));
    }

private:
    std::size_t count_ = 0;
    double mean_ = 0.0;
    double squares_ = 0.0;
};

}  // namespace

PositionStatistics::PositionStatistics(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)) {}

void PositionStatistics::Add(double time, const GeoPoint& place) {
    if (!std::isfinite(place.latitude) || !std::isfinite(place.longitude) ||
        !std::isfinite(place.altitude)) {
        return;  // one such fix would make every figure NaN
    }
    fixes_.push_back({time, place});
    while (fixes_.size() > capacity_) {
        fixes_.pop_front();
    }
}

void PositionStatistics::Reset() {
    fixes_.clear();
}

void PositionStatistics::SetReference(const GeoPoint& reference) {
    setReference_ = reference;
}

void PositionStatistics::UseMeanReference() {
    setReference_.reset();
}

// Longitudes are averaged as offsets from the first fix, so that fixes on both sides of
// the 180th meridian average to a place between them.
GeoPoint PositionStatistics::MeanPosition() const {
    const double firstLongitude = fixes_.front().place.longitude;
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
    for (const SurveyFix& fix : fixes_) {
        latitude += fix.place.latitude;
        longitude += LocalFrame::LongitudeDifference(fix.place.longitude, firstLongitude);
        altitude += fix.place.altitude;
    }
    const double n = static_cast<double>(fixes_.size());
    return {latitude / n, LocalFrame::LongitudeDifference(firstLongitude + longitude / n, 0.0),
            altitude / n};
}

std::optional<GeoPoint> PositionStatistics::Reference() const {
    if (setReference_) {
        return setReference_;
    }
    if (fixes_.empty()) {
        return std::nullopt;
    }
    return MeanPosition();
}

std::vector<Deviation> PositionStatistics::Deviations() const {
    return DeviationsFrom(Reference());
}

PositionStatistics::Survey PositionStatistics::Surveyed() const {
    const std::optional<GeoPoint> reference = Reference();
    Survey survey;
    survey.deviations = DeviationsFrom(reference);
    survey.summary = SummaryOf(reference, survey.deviations);
    return survey;
}

SurveySummary PositionStatistics::Summary() const {
    const std::optional<GeoPoint> reference = Reference();
    return SummaryOf(reference, DeviationsFrom(reference));
}

std::vector<Deviation> PositionStatistics::DeviationsFrom(
    const std::optional<GeoPoint>& reference) const {
    std::vector<Deviation> deviations;
    if (!reference) {
        return deviations;
    }
    const LocalFrame frame(*reference);
    deviations.reserve(fixes_.size());
    for (const SurveyFix& fix : fixes_) {
        deviations.push_back({fix.time, frame.Offset(fix.place)});
    }
    return deviations;
}

void PositionStatistics::UpColumns(std::span<const Deviation> deviations, TimeWindow window,
                                   std::span<ColumnRange> columns) {
    std::fill(columns.begin(), columns.end(), ColumnRange{});
    const PixelColumns pixels(window, static_cast<int>(columns.size()));
    for (const Deviation& deviation : deviations) {
        const int column = pixels.ColumnOf(deviation.time);
        if (column >= 0) {
            columns[static_cast<std::size_t>(column)].Include(deviation.offset.up);
        }
    }
}

SurveySummary PositionStatistics::SummaryOf(const std::optional<GeoPoint>& reference,
                                            std::span<const Deviation> deviations) const {
    SurveySummary summary;
    summary.fixes = fixes_.size();
    summary.referenceSet = setReference_.has_value();
    summary.reference = reference;
    if (deviations.empty()) {
        return summary;
    }
    Spread east;
    Spread north;
    Spread up;
    std::vector<double> distances;
    distances.reserve(deviations.size());
    for (const Deviation& deviation : deviations) {
        east.Add(deviation.offset.east);
        north.Add(deviation.offset.north);
        up.Add(deviation.offset.up);
        distances.push_back(std::hypot(deviation.offset.east, deviation.offset.north));
    }
    SurveyFigures figures;
    figures.sigmaEast = east.PopulationSigma();
    figures.sigmaNorth = north.PopulationSigma();
    figures.sigmaUp = up.PopulationSigma();
    figures.drms2 = 2.0 * std::sqrt(figures.sigmaEast * figures.sigmaEast +
                                    figures.sigmaNorth * figures.sigmaNorth);
    figures.maxHorizontal = *std::max_element(distances.begin(), distances.end());
    figures.cep95 = Percentile(distances, 95);
    figures.cep50 = Percentile(distances, 50);
    summary.figures = figures;
    return summary;
}
