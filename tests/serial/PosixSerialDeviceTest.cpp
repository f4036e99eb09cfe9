// The real device's own paths: line events through its two ioctls, and letting go of the line.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <cerrno>

#include "PtyPair.h"
#include "serial/PosixSerialDevice.h"

namespace {

// What a driver offers: counters (a UART), modem levels (most USB adapters too), or neither
// (a pseudo-terminal).
struct Driver {
    bool counts = false;
    bool levels = false;
    serial_icounter_struct counters{};
    int lines = 0;
};

struct LineEventCase {
    const char* name;
    bool counts;
    bool levels;
    bool asked;  // whether the reader is to look for line events at all
    LineEvents expected;
};

class PosixLineEventsTest : public testing::TestWithParam<LineEventCase> {};

TEST_P(PosixLineEventsTest, FollowWhatTheDriverOffers) {
    const LineEventCase& c = GetParam();
    Driver driver{c.counts, c.levels};
    LineStatusQuery query{[&driver](int, serial_icounter_struct& counters) {
                              counters = driver.counters;
                              errno = ENOTTY;
                              return driver.counts;
                          },
                          [&driver](int, int& lines) {
                              lines = driver.lines;
                              errno = ENOTTY;
                              return driver.levels;
                          }};
    PtyPair pty;
    PosixSerialDevice device(FileDescriptor(::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY)),
                             query);
    EXPECT_EQ(device.LineEventPollInterval().has_value(), c.asked);
    ++driver.counters.frame;
    ++driver.counters.dcd;
    driver.lines |= TIOCM_CD;
    const LineEvents events = device.ReadLineEvents();
    EXPECT_EQ(events.errorFlags, c.expected.errorFlags);
    EXPECT_EQ(events.modemCode, c.expected.modemCode);
    EXPECT_EQ(device.ReadLineEvents().modemCode, 0);  // each change is reported once
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, PosixLineEventsTest,
    testing::Values(
        LineEventCase{"Uart", true, true, true, {LineEvents::kFrame, LineEvents::kCarrier}},
        LineEventCase{"UsbAdapter", false, true, true, {0, LineEvents::kCarrier}},
        LineEventCase{"PseudoTerminal", false, false, false, {0, 0}}),
    [](const testing::TestParamInfo<LineEventCase>& info) { return info.param.name; });

// A stray XOFF must not leave output stopped while the descriptor closes (a USB adapter's
// close would wait up to 30 s for it to drain).
TEST(PosixSerialDeviceClose, SwitchesSoftwareFlowControlOffFirst) {
    PtyPair pty;
    {
        PosixSerialDevice device(
            FileDescriptor(::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)));
        device.ApplyLineSettings(LineSettings{});  // XON/XOFF both ways by default
        termios on{};
        ASSERT_EQ(::tcgetattr(pty.Master(), &on), 0);
        ASSERT_NE(on.c_iflag & IXON, 0u);
    }
    termios off{};
    ASSERT_EQ(::tcgetattr(pty.Master(), &off), 0);
    EXPECT_EQ(off.c_iflag & (IXON | IXOFF), 0u);
}

}  // namespace
