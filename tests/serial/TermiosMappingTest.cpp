#include <gtest/gtest.h>

#include <functional>

#include "serial/TermiosMapping.h"

namespace {

termios Mapped(const LineSettings& settings) {
    termios tio{};
    // Start from a cooked terminal, so that raw mode has something to clear.
    tio.c_iflag = ICRNL | IXANY | IGNPAR;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    tio.c_cflag = CS7 | PARENB | CRTSCTS;
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    ApplyLineSettingsToTermios(settings, tio);
    return tio;
}

struct MappingCase {
    const char* what;
    std::function<void(LineSettings&)> change;
    std::function<bool(const termios&)> holds;
};

class TermiosMappingTest : public testing::TestWithParam<MappingCase> {};

TEST_P(TermiosMappingTest, Maps) {
    LineSettings settings;
    GetParam().change(settings);
    EXPECT_TRUE(GetParam().holds(Mapped(settings))) << GetParam().what;
}

tcflag_t Parity(const termios& t) {
    return t.c_cflag & (PARENB | PARODD | CMSPAR);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TermiosMappingTest,
    testing::Values(
        MappingCase{"defaults: raw 9600 8N1, XON/XOFF both ways, no RTS/CTS", [](LineSettings&) {},
                    [](const termios& t) {
                        return cfgetospeed(&t) == B9600 && cfgetispeed(&t) == B9600 &&
                               (t.c_cflag & CSIZE) == CS8 && Parity(t) == 0 &&
                               !(t.c_cflag & (CSTOPB | CRTSCTS)) && (t.c_cflag & CLOCAL) &&
                               (t.c_cflag & CREAD) && (t.c_iflag & IXON) && (t.c_iflag & IXOFF) &&
                               !(t.c_iflag & (ICRNL | IXANY | INPCK)) && !(t.c_oflag & OPOST) &&
                               !(t.c_lflag & (ICANON | ECHO | ISIG)) && t.c_cc[VSTART] == 0x11 &&
                               t.c_cc[VSTOP] == 0x13 && t.c_cc[VMIN] == 1 && t.c_cc[VTIME] == 0;
                    }},
        MappingCase{"4800 baud", [](LineSettings& s) { s.baudRate = 4800; },
                    [](const termios& t) { return cfgetospeed(&t) == B4800; }},
        MappingCase{"115200 baud", [](LineSettings& s) { s.baudRate = 115200; },
                    [](const termios& t) { return cfgetospeed(&t) == B115200; }},
        MappingCase{"unsupported rate keeps the speed", [](LineSettings& s) { s.baudRate = 14400; },
                    [](const termios& t) { return cfgetospeed(&t) == B38400; }},
        MappingCase{"5 data bits", [](LineSettings& s) { s.byteSize = TByteSize::_5; },
                    [](const termios& t) { return (t.c_cflag & CSIZE) == CS5; }},
        MappingCase{"6 data bits", [](LineSettings& s) { s.byteSize = TByteSize::_6; },
                    [](const termios& t) { return (t.c_cflag & CSIZE) == CS6; }},
        MappingCase{"7 data bits", [](LineSettings& s) { s.byteSize = TByteSize::_7; },
                    [](const termios& t) { return (t.c_cflag & CSIZE) == CS7; }},
        MappingCase{"odd parity", [](LineSettings& s) { s.parity = TParity::Odd; },
                    [](const termios& t) { return Parity(t) == (PARENB | PARODD); }},
        MappingCase{"even parity", [](LineSettings& s) { s.parity = TParity::Even; },
                    [](const termios& t) { return Parity(t) == PARENB; }},
        MappingCase{"mark parity", [](LineSettings& s) { s.parity = TParity::Mark; },
                    [](const termios& t) { return Parity(t) == (PARENB | CMSPAR | PARODD); }},
        MappingCase{"space parity", [](LineSettings& s) { s.parity = TParity::Space; },
                    [](const termios& t) { return Parity(t) == (PARENB | CMSPAR); }},
        MappingCase{"parity check", [](LineSettings& s) { s.parityCheck = true; },
                    [](const termios& t) { return (t.c_iflag & INPCK) != 0; }},
        MappingCase{"two stop bits", [](LineSettings& s) { s.stopBits = TStopBits::_2; },
                    [](const termios& t) { return (t.c_cflag & CSTOPB) != 0; }},
        MappingCase{"one and a half stop bits",
                    [](LineSettings& s) { s.stopBits = TStopBits::_1_5; },
                    [](const termios& t) { return (t.c_cflag & CSTOPB) != 0; }},
        MappingCase{"CTS output flow", [](LineSettings& s) { s.outxCtsFlow = true; },
                    [](const termios& t) { return (t.c_cflag & CRTSCTS) != 0; }},
        MappingCase{"RTS handshake",
                    [](LineSettings& s) { s.rtsControl = TRtsControl::RtsHandshake; },
                    [](const termios& t) { return (t.c_cflag & CRTSCTS) != 0; }},
        MappingCase{"no XON/XOFF on output", [](LineSettings& s) { s.outxXonXoffFlow = false; },
                    [](const termios& t) { return !(t.c_iflag & IXON) && (t.c_iflag & IXOFF); }},
        MappingCase{"no XON/XOFF on input", [](LineSettings& s) { s.inxXonXoffFlow = false; },
                    [](const termios& t) { return (t.c_iflag & IXON) && !(t.c_iflag & IXOFF); }},
        MappingCase{
            "own XON and XOFF characters",
            [](LineSettings& s) {
                s.xonChar = 'Q';
                s.xoffChar = 'S';
            },
            [](const termios& t) { return t.c_cc[VSTART] == 'Q' && t.c_cc[VSTOP] == 'S'; }}));

struct ModemCase {
    TDtrControl dtr;
    TRtsControl rts;
    bool dtrRaised;
    bool rtsRaised;
};

class ModemLinesTest : public testing::TestWithParam<ModemCase> {};

TEST_P(ModemLinesTest, RaisesLines) {
    LineSettings settings;
    settings.dtrControl = GetParam().dtr;
    settings.rtsControl = GetParam().rts;
    EXPECT_EQ(DtrRaised(settings), GetParam().dtrRaised);
    EXPECT_EQ(RtsRaised(settings), GetParam().rtsRaised);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ModemLinesTest,
    testing::Values(ModemCase{TDtrControl::DtrEnable, TRtsControl::RtsEnable, true, true},
                    ModemCase{TDtrControl::DtrDisable, TRtsControl::RtsDisable, false, false},
                    ModemCase{TDtrControl::DtrHandshake, TRtsControl::RtsHandshake, true, true},
                    ModemCase{TDtrControl::DtrEnable, TRtsControl::RtsTransmissionAvailable, true,
                              true}));

TEST(SpeedForBaudRateTest, KnowsStandardRatesOnly) {
    EXPECT_EQ(SpeedForBaudRate(4800), B4800);
    EXPECT_EQ(SpeedForBaudRate(9600), B9600);
    EXPECT_EQ(SpeedForBaudRate(19200), B19200);
    EXPECT_EQ(SpeedForBaudRate(4000000), B4000000);
    EXPECT_EQ(SpeedForBaudRate(0), std::nullopt);
    EXPECT_EQ(SpeedForBaudRate(-9600), std::nullopt);
    EXPECT_EQ(SpeedForBaudRate(9601), std::nullopt);
}

}  // namespace
