#include "serial/PosixSerialDevice.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "serial/ExactBaudRate.h"
#include "serial/TermiosMapping.h"

namespace {

// Line errors are rare and a driver keeps counting between queries, so a slow look suffices.
constexpr std::chrono::milliseconds kCounterPollInterval{200};

template <typename Call>
auto RetryEintr(Call call) {
    decltype(call()) result;
    while ((result = call()) < 0 && errno == EINTR) {
    }
    return result;
}

IoResult Transferred(ssize_t n) {
    if (n < 0) {
        return {0, errno == EWOULDBLOCK ? EAGAIN : errno};
    }
    return {static_cast<std::size_t>(n), 0};
}

std::int32_t ErrorFlagsBetween(const serial_icounter_struct& before,
                               const serial_icounter_struct& after) {
    std::int32_t flags = 0;
    if (after.buf_overrun != before.buf_overrun) {
        flags |= LineEvents::kRxOver;
    }
    if (after.overrun != before.overrun) {
        flags |= LineEvents::kOverrun;
    }
    if (after.parity != before.parity) {
        flags |= LineEvents::kRxParity;
    }
    if (after.frame != before.frame) {
        flags |= LineEvents::kFrame;
    }
    if (after.brk != before.brk) {
        flags |= LineEvents::kBreak;
    }
    return flags;
}

std::int32_t ModemCodeBetween(const serial_icounter_struct& before,
                              const serial_icounter_struct& after) {
    std::int32_t code = 0;
    if (after.dcd != before.dcd) {
        code |= LineEvents::kCarrier;
    }
    if (after.rng != before.rng) {
        code |= LineEvents::kRing;
    }
    return code;
}

}  // namespace

PosixSerialDevice::PosixSerialDevice(FileDescriptor fd) : fd_(std::move(fd)) {
    // Pseudo-terminals and some USB adapters keep no counters: such a device reports no
    // line events.
    hasCounters_ = ::ioctl(fd_.Get(), TIOCGICOUNT, &counters_) == 0;
}

PosixSerialDevice::~PosixSerialDevice() {
    // The exclusive flag lives on the terminal, not on this descriptor: leave it as found.
    ::ioctl(fd_.Get(), TIOCNXCL);
}

std::optional<std::chrono::milliseconds> PosixSerialDevice::LineEventPollInterval() const {
    if (!hasCounters_) {
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
    if (!hasCounters_) {
        return {};
    }
    serial_icounter_struct now{};
    if (RetryEintr([&] { return ::ioctl(fd_.Get(), TIOCGICOUNT, &now); }) < 0) {
        return {0, 0, errno};
    }
    const LineEvents events{ErrorFlagsBetween(counters_, now), ModemCodeBetween(counters_, now), 0};
    counters_ = now;
    return events;
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
