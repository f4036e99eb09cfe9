#pragma once

#include <cstdint>

// What the kernel says about this process: CPU time of all its threads and memory.
class ProcessStats {
public:
    // User plus system time of every thread so far, in seconds.
    static double CpuSeconds();
    // Resident set size now and its peak, in kilobytes (0 when unreadable).
    static std::int64_t RssKb();
    static std::int64_t PeakRssKb();
    // CLOCK_MONOTONIC in nanoseconds: the clock kelmstar-sim stamps its sentences with.
    static std::int64_t MonotonicNanos();
};
