#pragma once

#include <cstdint>
#include <optional>
#include <string>

class LineStatistics;

// One line of JSON with what the line carried:
// {"class":"STATS","bytes":N,"sentences":N,"checksum_errors":N,"no_checksum":N,
//  "noise_bytes":N,"dropped_bytes":N,"types":{"GPGGA":N,...},"baud":N}
// "types" counts whole sentences by address in the order they first came; "baud" is
// there only for a serial device.
void AppendStatsReport(std::string& out, const LineStatistics& statistics,
                       std::optional<std::int32_t> baudRate);
