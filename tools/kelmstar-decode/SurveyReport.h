#pragma once

#include <optional>
#include <string>

#include "FixIntake.h"
#include "PositionStatistics.h"

// kelmstar-decode --survey: the fixes of the framed sentences (GGA of quality 1 or more
// with a whole position, "GP" only or any talker), summed up at the end in one JSON line:
// {"class":"SURVEY","fixes":N,"lat":deg,"lon":deg,"alt":m,"sigma_east_m":x,
//  "sigma_north_m":x,"sigma_up_m":x,"cep50_m":x,"cep95_m":x,"drms2_m":x,"max_m":x}
// lat, lon and alt are the reference (the mean position unless one is given); a value
// that does not exist (no fixes) is null.
class SurveyReport {
public:
    SurveyReport(TalkerFilter filter, const std::optional<GeoPoint>& reference);

    // A framed sentence, its text after "$".
    void SentenceFramed(const char* text);

    void Append(std::string& out) const;

private:
    PositionStatistics statistics_;
    FixIntake fixes_;
};
