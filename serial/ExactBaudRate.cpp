#include "serial/ExactBaudRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace {

bool Control(int fd, unsigned long request, termios2& tio) {
    int rc;
    while ((rc = ::ioctl(fd, request, &tio)) < 0 && errno == EINTR) {
    }
    return rc == 0;
}

}  // namespace

bool SetExactBaudRate(int fd, std::uint32_t rate) {
    termios2 tio{};
    if (!Control(fd, TCGETS2, tio)) {
        return false;
    }
    // No separate input speed (CIBAUD 0): input follows output, as with the termios
    // constants, so a later switch back to one of them changes both directions.
    tio.c_cflag &= ~(CBAUD | CIBAUD);
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = rate;
    tio.c_ospeed = rate;
    return Control(fd, TCSETS2, tio) && ExactBaudRate(fd) == rate;
}

std::optional<std::uint32_t> ExactBaudRate(int fd) {
    termios2 tio{};
    if (!Control(fd, TCGETS2, tio)) {
        return std::nullopt;
    }
    return tio.c_ospeed;
}
