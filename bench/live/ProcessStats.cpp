#include "ProcessStats.h"

#include <sys/resource.h>
#include <time.h>

#include <fstream>
#include <string>

namespace {

std::int64_t StatusField(const char* name) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(name) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return std::stoll(line.substr(prefix.size()));
        }
    }
    return 0;
}

}  // namespace

double ProcessStats::CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::int64_t ProcessStats::RssKb() {
    return StatusField("VmRSS");
}

std::int64_t ProcessStats::PeakRssKb() {
    return StatusField("VmHWM");
}

std::int64_t ProcessStats::MonotonicNanos() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}
