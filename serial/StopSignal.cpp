#include "serial/StopSignal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

StopSignal::StopSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!fd_.Valid()) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

void StopSignal::Signal() {
    const std::uint64_t one = 1;
    // Nobody ever reads the counter, so it stays readable; EAGAIN would mean it already is.
    while (::write(fd_.Get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool StopSignal::IsSignalled() const {
    pollfd p{fd_.Get(), POLLIN, 0};
    int n;
    while ((n = ::poll(&p, 1, 0)) < 0 && errno == EINTR) {
    }
    return n > 0;
}
