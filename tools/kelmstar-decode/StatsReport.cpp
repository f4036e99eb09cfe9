#include "StatsReport.h"

#include <cstring>

#include "JsonReport.h"
#include "LineStatistics.h"

void AppendStatsReport(std::string& out, const LineStatistics& statistics,
                       std::optional<std::int32_t> baudRate) {
    const LineCounts& counts = statistics.Counts();
    out += "{\"class\":\"STATS\"";
    AppendJsonInt(out, "bytes", counts.bytes);
    AppendJsonInt(out, "sentences", counts.sentences);
    AppendJsonInt(out, "checksum_errors", counts.checksumErrors);
    AppendJsonInt(out, "no_checksum", counts.noChecksum);
    AppendJsonInt(out, "noise_bytes", counts.noiseBytes);
    AppendJsonInt(out, "dropped_bytes", counts.droppedBytes);
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
        AppendJsonInt(out, "baud", *baudRate);
    }
    out += "}\n";
}
