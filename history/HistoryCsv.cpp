#include "HistoryCsv.h"

#include <string>
#include <vector>

#include "CsvOutput.h"

namespace {

// A name as one CSV field: quoted, its quotes doubled, when it holds a comma, quote or line
// end.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}

void AppendCount(std::string& line, std::uint8_t count) {
    line += ',';
    if (count != EpochRecord::kNoCount) {
        line += std::to_string(count);
    }
}

void AppendDop(std::string& line, std::uint16_t dop) {
    line += ',';
    if (const std::optional<double> value = EpochRecord::DopValue(dop)) {
        line += CsvNumber(*value, 2);
    }
}

// The line of one second, or nothing when the second holds no data at all.
std::optional<std::string> SecondLine(const SignalHistory& history, std::int64_t second,
                                      const std::vector<std::uint32_t>& keys) {
    const EpochRecord* record = history.EpochAt(second);
    bool any = record != nullptr && !record->Empty();
    std::string line = std::to_string(second);
    const EpochRecord shown = record != nullptr ? *record : EpochRecord{};
    AppendCount(line, shown.inView);
    AppendCount(line, shown.used);
    AppendDop(line, shown.pdop);
    AppendDop(line, shown.hdop);
    AppendDop(line, shown.vdop);
    for (const std::uint32_t key : keys) {
        line += ',';
        if (const std::optional<int> cno = history.CarrierToNoiseAt(key, second)) {
            line += std::to_string(*cno);
            any = true;
        }
    }
    return any ? std::optional<std::string>(std::move(line)) : std::nullopt;
}

bool Write(const SignalHistory& history, TimeWindow window, CsvOutput& out) {
    const TimeWindow kept = history.Kept();
    window = {std::max(window.first, kept.first), std::min(window.last, kept.last)};
    std::vector<std::uint32_t> keys;
    std::string header = "time,in_view,used,pdop,hdop,vdop";
    for (const SatelliteInfo& satellite : history.Satellites()) {
        if (history.HasData(satellite.key, window)) {
            keys.push_back(satellite.key);
            header += ',' + CsvField(satellite.name);
        }
    }
    out.Line(header);
    for (std::int64_t second = window.first; second <= window.last && out.Ok(); ++second) {
        if (const std::optional<std::string> line = SecondLine(history, second, keys)) {
            out.Line(*line);
        }
    }
    return out.Ok();
}

}  // namespace

bool WriteHistoryCsv(const SignalHistory& history, TimeWindow window, std::ostream& out) {
    CsvOutput output(out);
    return Write(history, window, output);
}

bool WriteHistoryCsv(const SignalHistory& history, TimeWindow window, std::FILE* out) {
    CsvOutput output(out);
    return Write(history, window, output);
}
