#include "serial/PosixSerialDevice.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "serial/ExactBaudRate.h"
#include "serial/RetryEintr.h"
#include "serial/TermiosMapping.h"

namespace {

// Line errors are rare and a driver keeps counting between queries, and modem lines change
// slowly, so a slow look suffices.
constexpr std::chrono::milliseconds kCounterPollInterval{200};

IoResult Transferred(ssize_t n) {
    if (n < 0) {
        return {0, errno == EWOULDBLOCK ? EAGAIN : errno};
    }
    return {static_cast<std::size_t>(n), 0};
}

// Pseudo-terminals have neither counters nor modem lines, and report no line events; some
// USB adapters have only the lines.
LineStatus FirstLook(int fd, const LineStatusQuery& query) {
    LineStatus status;
    serial_icounter_struct counters{};
    if (query.counters(fd, counters)) {
        status.counters = counters;
    }
    int lines = 0;
    if (query.modemLines(fd, lines)) {
        status.modemLines = lines;
    }
    return status;
}

}  // namespace

PosixSerialDevice::PosixSerialDevice(FileDescriptor fd, LineStatusQuery query)
    : fd_(std::move(fd)), query_(std::move(query)), tracker_(FirstLook(fd_.Get(), query_)) {}

PosixSerialDevice::~PosixSerialDevice() {
    // A stray XOFF (garbage read at the wrong speed) may have stopped output; a USB adapter's
    // close then waits up to 30 s for output that cannot drain. Without software flow control
    // output runs again, and what is left is thrown away before the close.
    termios tio{};
    if (::tcgetattr(fd_.Get(), &tio) == 0 && (tio.c_iflag & (IXON | IXOFF)) != 0) {
        tio.c_iflag &= ~(IXON | IXOFF);
        RetryEintr([&] { return ::tcsetattr(fd_.Get(), TCSANOW, &tio); });
    }
    ::tcflush(fd_.Get(), TCIOFLUSH);
    // The exclusive flag lives on the terminal, not on this descriptor: leave it as found.
    ::ioctl(fd_.Get(), TIOCNXCL);
}

std::optional<std::int32_t> PosixSerialDevice::LineSpeed() const {
    if (const auto rate = ExactBaudRate(fd_.Get())) {
        return static_cast<std::int32_t>(*rate);
    }
    return std::nullopt;
}

std::optional<std::chrono::milliseconds> PosixSerialDevice::LineEventPollInterval() const {
    if (!tracker_.Counts() && !tracker_.SeesLevels()) {
        return std::nullopt;
    }
    return kCounterPollInterval;
}

IoResult PosixSerialDevice::Read(std::span<char> buffer) {
    return Transferred(RetryEintr([&] { return ::read(fd_.Get(), buffer.data(), buffer.size()); }));
}

IoResult PosixSerialDevice::Write(std::span<const char> data) {
    return Transferred(RetryEintr([&] { return ::write(fd_.Get(), data.data(), data.size()); }));
}

LineEvents PosixSerialDevice::ReadLineEvents() {
    LineStatus now;
    if (tracker_.Counts()) {
        serial_icounter_struct counters{};
        if (!query_.counters(fd_.Get(), counters)) {
            return {0, 0, errno};
        }
        now.counters = counters;
    }
    if (tracker_.SeesLevels()) {
        int lines = 0;
        if (!query_.modemLines(fd_.Get(), lines)) {
            return {0, 0, errno};
        }
        now.modemLines = lines;
    }
    return tracker_.Next(now);
}

void PosixSerialDevice::ApplyLineSettings(const LineSettings& settings) {
    termios tio{};
    if (::tcgetattr(fd_.Get(), &tio) == 0) {
        ApplyLineSettingsToTermios(settings, tio);
        RetryEintr([&] { return ::tcsetattr(fd_.Get(), TCSANOW, &tio); });
        // A rate without a termios constant was left out above. Whether the driver can make
        // it exactly is not reported, as with every other line setting.
        if (settings.baudRate > 0 && !SpeedForBaudRate(settings.baudRate)) {
            SetExactBaudRate(fd_.Get(), static_cast<std::uint32_t>(settings.baudRate));
        }
    }
    SetModemLine(TIOCM_DTR, DtrRaised(settings));
    SetModemLine(TIOCM_RTS, RtsRaised(settings));
}

void PosixSerialDevice::SetModemLine(int line, bool raised) {
    // Pseudo-terminals have no modem lines; the failure is of no consequence.
    ::ioctl(fd_.Get(), raised ? TIOCMBIS : TIOCMBIC, &line);
}

void PosixSerialDevice::Purge(PurgeDirection direction) {
    ::tcflush(fd_.Get(), direction == PurgeDirection::Input ? TCIFLUSH : TCOFLUSH);
}
