#include "SurveyReport.h"

#include <cstdio>

#include "JsonReport.h"

namespace {

constexpr int kDegreeDecimals = 9;  // a tenth of a millimetre
constexpr int kMetreDecimals = 4;

}  // namespace

SurveyReport::SurveyReport(TalkerFilter filter, const std::optional<GeoPoint>& reference)
    : fixes_(statistics_, filter) {
    if (reference) {
        statistics_.SetReference(*reference);
    }
}

void SurveyReport::SentenceFramed(const char* text) {
    fixes_.Sentence(text);
}

void SurveyReport::Append(std::string& out) const {
    const SurveySummary summary = statistics_.Summary();
    const auto figure = [&summary](double SurveyFigures::*field) {
        return summary.figures ? std::optional<double>((*summary.figures).*field) : std::nullopt;
    };
    const auto reference = [&summary](double GeoPoint::*field) {
        return summary.reference ? std::optional<double>((*summary.reference).*field)
                                 : std::nullopt;
    };
    out += "{\"class\":\"SURVEY\",\"fixes\":" + std::to_string(summary.fixes);
    AppendJsonFixed(out, "lat", reference(&GeoPoint::latitude), kDegreeDecimals);
    AppendJsonFixed(out, "lon", reference(&GeoPoint::longitude), kDegreeDecimals);
    AppendJsonFixed(out, "alt", reference(&GeoPoint::altitude), kMetreDecimals);
    AppendJsonFixed(out, "sigma_east_m", figure(&SurveyFigures::sigmaEast), kMetreDecimals);
    AppendJsonFixed(out, "sigma_north_m", figure(&SurveyFigures::sigmaNorth), kMetreDecimals);
    AppendJsonFixed(out, "sigma_up_m", figure(&SurveyFigures::sigmaUp), kMetreDecimals);
    AppendJsonFixed(out, "cep50_m", figure(&SurveyFigures::cep50), kMetreDecimals);
    AppendJsonFixed(out, "cep95_m", figure(&SurveyFigures::cep95), kMetreDecimals);
    AppendJsonFixed(out, "drms2_m", figure(&SurveyFigures::drms2), kMetreDecimals);
    AppendJsonFixed(out, "max_m", figure(&SurveyFigures::maxHorizontal), kMetreDecimals);
    out += "}\n";
}
