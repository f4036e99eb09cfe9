#include "TtffResults.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "CsvOutput.h"

namespace {

std::string Field(const std::optional<double>& value, int decimals) {
    return value ? CsvNumber(*value, decimals) : std::string();
}

bool Write(const std::vector<TtffRun>& runs, CsvOutput& out) {
    out.Line("run,mode,seconds,used,hdop");
    for (const TtffRun& run : runs) {
        out.Line(std::to_string(run.number) + ',' + RestartModeName(run.mode) + ',' +
                 Field(run.seconds, 3) + ',' + (run.used ? std::to_string(*run.used) : "") + ',' +
                 Field(run.hdop, 2));
    }
    return out.Ok();
}

}  // namespace

TtffSummary SummarizeRuns(RestartMode mode, const std::vector<TtffRun>& runs) {
    TtffSummary summary;
    summary.mode = mode;
    summary.runs = static_cast<int>(runs.size());
    std::vector<double> seconds;
    for (const TtffRun& run : runs) {
        if (run.seconds) {
            seconds.push_back(*run.seconds);
        }
    }
    summary.fixed = static_cast<int>(seconds.size());
    if (seconds.empty()) {
        return summary;
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t middle = seconds.size() / 2;
    summary.min = seconds.front();
    summary.max = seconds.back();
    summary.median =
        seconds.size() % 2 == 1 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2.0;
    summary.mean =
        std::accumulate(seconds.begin(), seconds.end(), 0.0) / static_cast<double>(seconds.size());
    return summary;
}

bool WriteTtffCsv(const std::vector<TtffRun>& runs, std::ostream& out) {
    CsvOutput output(out);
    return Write(runs, output);
}

bool WriteTtffCsv(const std::vector<TtffRun>& runs, std::FILE* out) {
    CsvOutput output(out);
    return Write(runs, output);
}
