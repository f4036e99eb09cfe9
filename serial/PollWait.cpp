#include "serial/PollWait.h"

#include <cerrno>

namespace {

int TimeoutMs(std::optional<std::chrono::steady_clock::time_point> until) {
    if (!until) {
        return -1;
    }
    const auto left = *until - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) {
        return 0;
    }
    // Rounded up so that a wake-up never comes before the deadline.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

}  // namespace

int PollWait(std::span<pollfd> fds, std::optional<std::chrono::steady_clock::time_point> until) {
    for (;;) {
        const int n = ::poll(fds.data(), fds.size(), TimeoutMs(until));
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
}
