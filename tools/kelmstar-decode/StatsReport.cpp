#include "StatsReport.h"

#include <cstring>

#include "JsonReport.h"
#include "LineStatistics.h"

namespace {

void AppendCount(std::string& out, const char* key, std::uint64_t value) {
    out += ",\"";
    out += key;
    out += "\":";
    out += std::to_string(value);
}

}  // namespace

void AppendStatsReport(std::string& out, const LineStatistics& statistics,
                       std::optional<std::int32_t> baudRate) {
    const LineCounts& counts = statistics.Counts();
    out += "{\"class\":\"STATS\"";
    AppendCount(out, "bytes", counts.bytes);
    AppendCount(out, "sentences", counts.sentences);
    AppendCount(out, "checksum_errors", counts.checksumErrors);
    AppendCount(out, "no_checksum", counts.noChecksum);
    AppendCount(out, "noise_bytes", counts.noiseBytes);
    AppendCount(out, "dropped_bytes", counts.droppedBytes);
    out += ",\"types\":{";
    for (std::size_t i = 0; i < statistics.AddressCountUsed(); ++i) {
        const AddressCount& entry = statistics.Addresses()[i];
        if (i > 0) {
            out += ',';
        }
        AppendJsonString(out, entry.address, std::strlen(entry.address));
        out += ':';
        out += std::to_string(entry.count);
    }
    out += '}';
    if (baudRate) {
        AppendCount(out, "baud", static_cast<std::uint64_t>(*baudRate));
    }
    out += "}\n";
}
