#include "LineReport.h"

#include <cstdio>

namespace {

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}

std::string Fixed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::vector<LineReportRow> MakeLineReport(const LineStatistics& statistics,
                                          const LineRates& rates) {
    static const char* const kKindNames[kLineSentenceKinds] = {
        "GSV sentences",
        "GGA sentences",
        "GSA sentences",
        "RMC sentences",
        "VTG sentences",
        "GLL sentences",
        "Other standard sentences",
        "Proprietary sentences ($P...)",
    };
    const LineCounts& counts = statistics.Counts();
    std::vector<LineReportRow> rows = {
        {"Bytes received", Number(counts.bytes)},
        {"Bytes dropped (buffer full)", Number(counts.droppedBytes)},
        {"Sentences framed", Number(counts.sentences)},
    };
    for (std::size_t kind = 0; kind < kLineSentenceKinds; ++kind) {
        rows.push_back({kKindNames[kind], Number(counts.byKind[kind])});
    }
    rows.push_back({"Checksum errors", Number(counts.checksumErrors)});
    rows.push_back({"Without checksum", Number(counts.noChecksum)});
    rows.push_back({"Cut short", Number(counts.cut)});
    rows.push_back({"Too long for the sentence buffer", Number(counts.overlong)});
    rows.push_back({"Noise bytes", Number(counts.noiseBytes)});
    rows.push_back({"Receive rate", Fixed("%.0f bytes/s", rates.bytesPerSecond)});
    // Ten bits a byte on the line: start, eight data bits, stop.
    rows.push_back({"Share of the line's capacity",
                    rates.baudRate > 0
                        ? Fixed("%.1f %%", 100.0 * rates.bytesPerSecond * 10.0 / rates.baudRate)
                        : std::string("-")});
    rows.push_back({"Time since the last byte", rates.secondsSinceByte < 0
                                                    ? std::string("no byte yet")
                                                    : Fixed("%.1f s", rates.secondsSinceByte)});
    for (std::size_t i = 0; i < statistics.AddressCountUsed(); ++i) {
        const AddressCount& address = statistics.Addresses()[i];
        rows.push_back({std::string("$") + address.address, Number(address.count)});
    }
    return rows;
}
