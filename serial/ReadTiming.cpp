#include "serial/ReadTiming.h"

#include <algorithm>
#include <cstdint>

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

constexpr std::uint32_t kMaxValue = 0xFFFFFFFFu;
// About 35 years: longer limits are "forever" and would overflow the clock's nanoseconds.
constexpr std::uint64_t kLongestTotalMs = std::uint64_t{1} << 40;

std::uint32_t Unsigned(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<Clock::time_point> ReadDeadline(const CommTimeouts& timeouts,
                                              const ReadProgress& progress) {
    const std::uint32_t interval = Unsigned(timeouts.readIntervalTimeout);
    const std::uint32_t multiplier = Unsigned(timeouts.readTotalTimeoutMultiplier);
    const std::uint32_t constant = Unsigned(timeouts.readTotalTimeoutConstant);
    const bool haveBytes = progress.count > 0;

    if (interval == kMaxValue && multiplier == 0 && constant == 0) {
        // "Return what is there": complete as soon as anything is in.
        return haveBytes ? std::optional(progress.start) : std::nullopt;
    }
    if (interval == kMaxValue && multiplier == kMaxValue && constant != 0 &&
        constant != kMaxValue) {
        // Complete at the first byte, or after the constant with none.
        return haveBytes ? progress.start : progress.start + Ms(constant);
    }

    std::optional<Clock::time_point> deadline;
    const std::uint64_t total =
        std::min(std::uint64_t{multiplier} * progress.capacity + constant, kLongestTotalMs);
    if (total > 0) {
        deadline = progress.start + Ms(total);
    }
    if (haveBytes && progress.lastByte && interval != 0 && interval != kMaxValue) {
        deadline = EarlierDeadline(deadline, *progress.lastByte + Ms(interval));
    }
    return deadline;
}

std::optional<Clock::time_point> EarlierDeadline(std::optional<Clock::time_point> a,
                                                 std::optional<Clock::time_point> b) {
    if (a && b) {
        return std::min(*a, *b);
    }
    return a ? a : b;
}
