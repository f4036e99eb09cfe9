#include "serial/WakeEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

WakeEvent::WakeEvent() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!fd_.Valid()) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

void WakeEvent::Set() {
    const std::uint64_t one = 1;
    // EAGAIN would mean the counter is full, which still reads as set.
    while (::write(fd_.Get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WakeEvent::Clear() {
    std::uint64_t count = 0;
    // EAGAIN means it was not set.
    while (::read(fd_.Get(), &count, sizeof count) < 0 && errno == EINTR) {
    }
}

bool WakeEvent::IsSet() const {
    pollfd p{fd_.Get(), POLLIN, 0};
    int n;
    while ((n = ::poll(&p, 1, 0)) < 0 && errno == EINTR) {
    }
    return n > 0;
}
