#include "SurveyCsv.h"

#include <string>
#include <vector>

#include "CsvOutput.h"

namespace {

bool Write(const PositionStatistics& statistics, CsvOutput& out) {
    out.Line("time,lat,lon,alt,east,north,up");
    const std::vector<Deviation> deviations = statistics.Deviations();
    for (std::size_t i = 0; i < deviations.size() && out.Ok(); ++i) {
        const GeoPoint& place = statistics.Fixes()[i].place;
        const EnuOffset& offset = deviations[i].offset;
        out.Line(CsvNumber(deviations[i].time, 3) + ',' + CsvNumber(place.latitude, 9) + ',' +
                 CsvNumber(place.longitude, 9) + ',' + CsvNumber(place.altitude, 3) + ',' +
                 CsvNumber(offset.east, 4) + ',' + CsvNumber(offset.north, 4) + ',' +
                 CsvNumber(offset.up, 4));
    }
    return out.Ok();
}

}  // namespace

bool WriteSurveyCsv(const PositionStatistics& statistics, std::ostream& out) {
    CsvOutput output(out);
    return Write(statistics, output);
}

bool WriteSurveyCsv(const PositionStatistics& statistics, std::FILE* out) {
    CsvOutput output(out);
    return Write(statistics, output);
}
