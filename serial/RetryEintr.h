#pragma once

#include <cerrno>

// Calls `call` again for as long as a signal interrupted it; returns its last result.
template <typename Call>
auto RetryEintr(Call call) {
    decltype(call()) result;
    while ((result = call()) < 0 && errno == EINTR) {
    }
    return result;
}
