#include "serial/TermiosMapping.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::int32_t, speed_t>, 31> kSpeeds{{
    {50, B50},
    {75, B75},
    {110, B110},
    {134, B134},
    {150, B150},
    {200, B200},
    {300, B300},
    {600, B600},
    {1200, B1200},
    {1800, B1800},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {500000, B500000},
    {576000, B576000},
    {921600, B921600},
    {1000000, B1000000},
    {1152000, B1152000},
    {1500000, B1500000},
    {2000000, B2000000},
    {2500000, B2500000},
    {3000000, B3000000},
    {3500000, B3500000},
    {4000000, B4000000},
    {0, B0},
}};

tcflag_t DataBitsFlag(TByteSize size) {
    switch (size) {
        case TByteSize::_5:
            return CS5;
        case TByteSize::_6:
            return CS6;
        case TByteSize::_7:
            return CS7;
        case TByteSize::_8:
            break;
    }
    return CS8;
}

tcflag_t ParityFlags(TParity parity) {
    switch (parity) {
        case TParity::None:
            return 0;
        case TParity::Odd:
            return PARENB | PARODD;
        case TParity::Even:
            return PARENB;
        case TParity::Mark:
            // With CMSPAR, PARODD selects a parity bit that is always 1.
            return PARENB | CMSPAR | PARODD;
        case TParity::Space:
            return PARENB | CMSPAR;
    }
    return 0;
}

void MakeRaw(termios& tio) {
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                     IXANY | INPCK | IGNPAR);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    // Modem lines do not gate the port: carrier changes are reported, not acted on.
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

}  // namespace

std::optional<speed_t> SpeedForBaudRate(std::int32_t baudRate) {
    for (const auto& [rate, speed] : kSpeeds) {
        if (rate == baudRate && rate != 0) {
            return speed;
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> BaudRateForSpeed(speed_t speed) {
    for (const auto& [rate, constant] : kSpeeds) {
        if (constant == speed && rate != 0) {
            return rate;
        }
    }
    return std::nullopt;
}

void ApplyLineSettingsToTermios(const LineSettings& settings, termios& tio) {
    MakeRaw(tio);
    if (const auto speed = SpeedForBaudRate(settings.baudRate)) {
        cfsetispeed(&tio, *speed);
        cfsetospeed(&tio, *speed);
    }
    tio.c_cflag |= DataBitsFlag(settings.byteSize) | ParityFlags(settings.parity);
    if (settings.stopBits != TStopBits::_1) {
        tio.c_cflag |= CSTOPB;
    }
    // Linux has one flag for both directions of RTS/CTS handshaking.
    if (settings.outxCtsFlow || settings.rtsControl == TRtsControl::RtsHandshake) {
        tio.c_cflag |= CRTSCTS;
    }
    if (settings.parityCheck) {
        tio.c_iflag |= INPCK;
    }
    if (settings.outxXonXoffFlow) {
        tio.c_iflag |= IXON;
    }
    if (settings.inxXonXoffFlow) {
        tio.c_iflag |= IXOFF;
    }
    tio.c_cc[VSTART] = static_cast<cc_t>(settings.xonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(settings.xoffChar);
}

bool DtrRaised(const LineSettings& settings) {
    // No DTR handshake in termios: the line stays up, as when enabled.
    return settings.dtrControl != TDtrControl::DtrDisable;
}

bool RtsRaised(const LineSettings& settings) {
    // Under handshake the driver moves RTS itself; transmit-toggle has no termios form.
    return settings.rtsControl != TRtsControl::RtsDisable;
}
