#pragma once

#include <poll.h>

#include <chrono>
#include <optional>
#include <span>

// poll() retried on EINTR with the time left; nullopt waits without limit. Returns poll's
// result (0 on timeout, -1 with errno on failure).
int PollWait(std::span<pollfd> fds, std::optional<std::chrono::steady_clock::time_point> until);
