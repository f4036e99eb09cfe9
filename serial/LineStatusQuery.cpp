#include "serial/LineStatusQuery.h"

#include <sys/ioctl.h>

#include <cerrno>

namespace {

template <typename Value>
bool Control(int fd, unsigned long request, Value& value) {
    int rc;
    while ((rc = ::ioctl(fd, request, &value)) < 0 && errno == EINTR) {
    }
    return rc == 0;
}

}  // namespace

LineStatusQuery LineStatusQuery::Device() {
    return {
        [](int fd, serial_icounter_struct& counters) { return Control(fd, TIOCGICOUNT, counters); },
        [](int fd, int& lines) { return Control(fd, TIOCMGET, lines); }};
}
