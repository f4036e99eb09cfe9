#include "serial/LineStatusQuery.h"

#include <sys/ioctl.h>

#include "serial/RetryEintr.h"

namespace {

template <typename Value>
bool Control(int fd, unsigned long request, Value& value) {
    return RetryEintr([&] { return ::ioctl(fd, request, &value); }) == 0;
}

}  // namespace

LineStatusQuery LineStatusQuery::Device() {
    return {
        [](int fd, serial_icounter_struct& counters) { return Control(fd, TIOCGICOUNT, counters); },
        [](int fd, int& lines) { return Control(fd, TIOCMGET, lines); }};
}
