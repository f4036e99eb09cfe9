#include "SurveyReport.h"

#include <cstdio>

namespace {

constexpr int kDegreeDecimals = 9;  // a tenth of a millimetre
constexpr int kMetreDecimals = 4;

void AppendNumber(std::string& out, const char* key, std::optional<double> value, int decimals) {
    out += ",\"";
    out += key;
    out += "\":";
    if (!value) {
        out += "null";
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value);
    out += text;
}

}  // namespace

SurveyReport::SurveyReport(TalkerFilter filter, const std::optional<GeoPoint>& reference)
    : filter_(filter) {
    if (reference) {
        statistics_.SetReference(*reference);
    }
}

void SurveyReport::SentenceFramed(const char* text) {
    const std::optional<GgaSentence> gga = ReadGga(text, filter_);
    if (!gga || !gga->IsPositionFix()) {
        return;
    }
    if (gga->secondOfDay) {
        lastTime_ = clock_.Continuous(*gga->secondOfDay);
    }
    statistics_.Add(lastTime_, {*gga->latitude, *gga->longitude, *gga->altitude});
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
    AppendNumber(out, "lat", reference(&GeoPoint::latitude), kDegreeDecimals);
    AppendNumber(out, "lon", reference(&GeoPoint::longitude), kDegreeDecimals);
    AppendNumber(out, "alt", reference(&GeoPoint::altitude), kMetreDecimals);
    AppendNumber(out, "sigma_east_m", figure(&SurveyFigures::sigmaEast), kMetreDecimals);
    AppendNumber(out, "sigma_north_m", figure(&SurveyFigures::sigmaNorth), kMetreDecimals);
    AppendNumber(out, "sigma_up_m", figure(&SurveyFigures::sigmaUp), kMetreDecimals);
    AppendNumber(out, "cep50_m", figure(&SurveyFigures::cep50), kMetreDecimals);
    AppendNumber(out, "cep95_m", figure(&SurveyFigures::cep95), kMetreDecimals);
    AppendNumber(out, "drms2_m", figure(&SurveyFigures::drms2), kMetreDecimals);
    AppendNumber(out, "max_m", figure(&SurveyFigures::maxHorizontal), kMetreDecimals);
    out += "}\n";
}
