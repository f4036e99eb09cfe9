#include "serial/ExactBaudRate.h"

#include <sys/ioctl.h>

#include "serial/RetryEintr.h"

// Where the kernel keeps the speeds in struct termios itself (powerpc) there is no termios2
// and no TCGETS2: only the rates with a termios constant can be set there, with the plain
// calls. KELMSTAR_NO_TERMIOS2 builds that way anywhere.
#if defined(TCGETS2) && !defined(KELMSTAR_NO_TERMIOS2)
#include <asm/termbits.h>

namespace {

bool Control(int fd, unsigned long request, termios2& tio) {
    return RetryEintr([&] { return ::ioctl(fd, request, &tio); }) == 0;
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

#else

#include <termios.h>

#include "serial/TermiosMapping.h"

bool SetExactBaudRate(int fd, std::uint32_t rate) {
    const auto speed = SpeedForBaudRate(static_cast<std::int32_t>(rate));
    termios tio{};
    if (!speed || ::tcgetattr(fd, &tio) != 0) {
        return false;
    }
    cfsetispeed(&tio, *speed);
    cfsetospeed(&tio, *speed);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0 && ExactBaudRate(fd) == rate;
}

std::optional<std::uint32_t> ExactBaudRate(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        return std::nullopt;
    }
    const auto rate = BaudRateForSpeed(cfgetospeed(&tio));
    if (!rate) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*rate);
}

#endif
