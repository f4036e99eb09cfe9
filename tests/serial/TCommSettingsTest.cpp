#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <termios.h>

#include <QTest>
#include <functional>

#include "CommRecorder.h"
#include "FakeDeviceFactory.h"
#include "PtyPair.h"
#include "serial/ExactBaudRate.h"
#include "serial/TComm.h"

namespace {

using namespace std::chrono_literals;

termios LineOf(const PtyPair& pty) {
    termios tio{};
    // Read through the master, this is the slave's (the component's) setting.
    EXPECT_EQ(::tcgetattr(pty.Master(), &tio), 0);
    return tio;
}

struct PtyCase {
    const char* what;
    std::function<void(TComm&)> set;
    std::function<bool(const termios&)> holds;
};

class TCommPtySettingsTest : public testing::TestWithParam<PtyCase> {};

TEST_P(TCommPtySettingsTest, ReachTheTerminalOnOpen) {
    PtyPair pty;
    TComm comm;
    comm.SetCommName(pty.SlavePath());
    GetParam().set(comm);
    comm.OpenPort();
    EXPECT_TRUE(GetParam().holds(LineOf(pty))) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TCommPtySettingsTest,
    testing::Values(PtyCase{"defaults: raw, 9600, one stop bit, XON/XOFF both ways", [](TComm&) {},
                            [](const termios& t) {
                                return cfgetospeed(&t) == B9600 && cfgetispeed(&t) == B9600 &&
                                       !(t.c_cflag & (CSTOPB | CRTSCTS)) && (t.c_iflag & IXON) &&
                                       (t.c_iflag & IXOFF) && !(t.c_iflag & INPCK) &&
                                       !(t.c_lflag & (ICANON | ECHO | ISIG)) &&
                                       !(t.c_oflag & OPOST) && t.c_cc[VSTART] == 0x11 &&
                                       t.c_cc[VSTOP] == 0x13;
                            }},
                    PtyCase{"4800 baud", [](TComm& c) { c.SetBaudRate(4800); },
                            [](const termios& t) { return cfgetospeed(&t) == B4800; }},
                    PtyCase{"19200 baud", [](TComm& c) { c.SetBaudRate(19200); },
                            [](const termios& t) { return cfgetospeed(&t) == B19200; }},
                    PtyCase{"230400 baud", [](TComm& c) { c.SetBaudRate(230400); },
                            [](const termios& t) { return cfgetospeed(&t) == B230400; }},
                    PtyCase{"two stop bits", [](TComm& c) { c.SetStopBits(TStopBits::_2); },
                            [](const termios& t) { return (t.c_cflag & CSTOPB) != 0; }},
                    PtyCase{"CTS flow", [](TComm& c) { c.SetOutx_CtsFlow(true); },
                            [](const termios& t) { return (t.c_cflag & CRTSCTS) != 0; }},
                    PtyCase{"parity check", [](TComm& c) { c.SetParityCheck(true); },
                            [](const termios& t) { return (t.c_iflag & INPCK) != 0; }},
                    PtyCase{"no XON/XOFF",
                            [](TComm& c) {
                                c.SetOutx_XonXoffFlow(false);
                                c.SetInx_XonXoffFlow(false);
                            },
                            [](const termios& t) { return !(t.c_iflag & (IXON | IXOFF)); }},
                    PtyCase{"own XON/XOFF characters",
                            [](TComm& c) {
                                c.SetXonChar('Q');
                                c.SetXoffChar('S');
                            },
                            [](const termios& t) {
                                return t.c_cc[VSTART] == 'Q' && t.c_cc[VSTOP] == 'S';
                            }}));

TEST(TCommPtySettingsWhileOpen, NewBaudRateAppliesAtOnce) {
    PtyPair pty;
    TComm comm;
    comm.SetCommName(pty.SlavePath());
    comm.OpenPort();
    comm.SetBaudRate(19200);
    const termios now = LineOf(pty);
    EXPECT_EQ(cfgetospeed(&now), B19200);
}

// Rates with and without a termios constant; a pseudo-terminal keeps any speed.
class TCommExactBaudRateTest : public testing::TestWithParam<std::int32_t> {};

TEST_P(TCommExactBaudRateTest, ReachesTheLineExactlyOnOpenAndWhileOpen) {
    const auto rate = static_cast<std::uint32_t>(GetParam());
    PtyPair pty;
    TComm comm;
    comm.SetCommName(pty.SlavePath());
    comm.SetBaudRate(GetParam());
    comm.OpenPort();
    EXPECT_EQ(ExactBaudRate(pty.Master()), rate);
    comm.SetStopBits(TStopBits::_2);  // re-applying the other settings keeps the speed
    EXPECT_EQ(ExactBaudRate(pty.Master()), rate);
    comm.SetBaudRate(4800);
    EXPECT_EQ(ExactBaudRate(pty.Master()), 4800u);
    comm.SetBaudRate(GetParam());
    EXPECT_EQ(ExactBaudRate(pty.Master()), rate);
}

INSTANTIATE_TEST_SUITE_P(Rates, TCommExactBaudRateTest,
                         testing::Values(14400, 56000, 128000, 230400, 256000, 921600));

TEST(TCommPtySettingsWhileOpen, NewNameDoesNotMoveTheOpenPort) {
    PtyPair first;
    PtyPair second;
    TComm comm;
    CommRecorder recorder(comm);
    comm.SetCommName(first.SlavePath());
    comm.OpenPort();
    comm.SetCommName(second.SlavePath());
    EXPECT_EQ(comm.CommName(), second.SlavePath());
    WriteAll(first.Master(), "one");
    ASSERT_TRUE(recorder.WaitForBytes(3));
    comm.ClosePort();
    comm.OpenPort();
    WriteAll(second.Master(), "two");
    ASSERT_TRUE(recorder.WaitForBytes(6));
    EXPECT_EQ(recorder.received, "onetwo");
}

TEST(TCommPtySettingsWhileOpen, NewReadTimeoutsApplyToThePendingRead) {
    PtyPair pty;
    TComm comm;
    CommRecorder recorder(comm);
    comm.SetCommName(pty.SlavePath());
    // No time limits: a read completes only when its buffer is full.
    comm.SetReadIntervalTimeout(0);
    comm.OpenPort();
    WriteAll(pty.Master(), "partial");
    comm.SetReadIntervalTimeout(100);
    ASSERT_TRUE(recorder.WaitForBytes(7));
    EXPECT_EQ(recorder.received, "partial");
}

// The fake device counts how often the line settings were applied.
class TCommSetterTest : public testing::Test {
protected:
    TCommSetterTest() : comm(std::make_unique<FakeDeviceFactory>(line, "fake")) {
        comm.SetCommName("fake");
    }

    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    TComm comm;
};

struct SetterCase {
    const char* what;
    std::function<void(TComm&)> change;  // to a value other than the default
    std::function<bool(const LineSettings&)> applied;
};

class TCommLineSetterTest : public TCommSetterTest,
                            public testing::WithParamInterface<SetterCase> {};

TEST_P(TCommLineSetterTest, NewValueWhileOpenIsAppliedOnce) {
    comm.OpenPort();
    GetParam().change(comm);
    EXPECT_EQ(line->Applications(), 2) << GetParam().what;
    EXPECT_TRUE(GetParam().applied(line->LastApplied())) << GetParam().what;
}

TEST_P(TCommLineSetterTest, StoredWhileClosedAndSameValueDoesNothing) {
    GetParam().change(comm);
    EXPECT_EQ(line->Applications(), 0) << GetParam().what;
    comm.OpenPort();
    EXPECT_TRUE(GetParam().applied(line->LastApplied())) << GetParam().what;
    GetParam().change(comm);
    EXPECT_EQ(line->Applications(), 1) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Setters, TCommLineSetterTest,
    testing::Values(
        SetterCase{"BaudRate", [](TComm& c) { c.SetBaudRate(4800); },
                   [](const LineSettings& s) { return s.baudRate == 4800; }},
        SetterCase{"ParityCheck", [](TComm& c) { c.SetParityCheck(true); },
                   [](const LineSettings& s) { return s.parityCheck; }},
        SetterCase{"Outx_CtsFlow", [](TComm& c) { c.SetOutx_CtsFlow(true); },
                   [](const LineSettings& s) { return s.outxCtsFlow; }},
        SetterCase{"Outx_DsrFlow", [](TComm& c) { c.SetOutx_DsrFlow(true); },
                   [](const LineSettings& s) { return s.outxDsrFlow; }},
        SetterCase{"DtrControl", [](TComm& c) { c.SetDtrControl(TDtrControl::DtrHandshake); },
                   [](const LineSettings& s) { return s.dtrControl == TDtrControl::DtrHandshake; }},
        SetterCase{"DsrSensitivity", [](TComm& c) { c.SetDsrSensitivity(true); },
                   [](const LineSettings& s) { return s.dsrSensitivity; }},
        SetterCase{"TxContinueOnXoff", [](TComm& c) { c.SetTxContinueOnXoff(false); },
                   [](const LineSettings& s) { return !s.txContinueOnXoff; }},
        SetterCase{"Outx_XonXoffFlow", [](TComm& c) { c.SetOutx_XonXoffFlow(false); },
                   [](const LineSettings& s) { return !s.outxXonXoffFlow; }},
        SetterCase{"Inx_XonXoffFlow", [](TComm& c) { c.SetInx_XonXoffFlow(false); },
                   [](const LineSettings& s) { return !s.inxXonXoffFlow; }},
        SetterCase{"ReplaceWhenParityError", [](TComm& c) { c.SetReplaceWhenParityError(true); },
                   [](const LineSettings& s) { return s.replaceWhenParityError; }},
        SetterCase{"IgnoreNullChar", [](TComm& c) { c.SetIgnoreNullChar(true); },
                   [](const LineSettings& s) { return s.ignoreNullChar; }},
        SetterCase{"RtsControl",
                   [](TComm& c) { c.SetRtsControl(TRtsControl::RtsTransmissionAvailable); },
                   [](const LineSettings& s) {
                       return s.rtsControl == TRtsControl::RtsTransmissionAvailable;
                   }},
        SetterCase{"XonLimit", [](TComm& c) { c.SetXonLimit(64); },
                   [](const LineSettings& s) { return s.xonLimit == 64; }},
        SetterCase{"XoffLimit", [](TComm& c) { c.SetXoffLimit(64); },
                   [](const LineSettings& s) { return s.xoffLimit == 64; }},
        SetterCase{"ByteSize", [](TComm& c) { c.SetByteSize(TByteSize::_5); },
                   [](const LineSettings& s) { return s.byteSize == TByteSize::_5; }},
        SetterCase{"StopBits", [](TComm& c) { c.SetStopBits(TStopBits::_1_5); },
                   [](const LineSettings& s) { return s.stopBits == TStopBits::_1_5; }},
        SetterCase{"XonChar", [](TComm& c) { c.SetXonChar('Q'); },
                   [](const LineSettings& s) { return s.xonChar == 'Q'; }},
        SetterCase{"XoffChar", [](TComm& c) { c.SetXoffChar('S'); },
                   [](const LineSettings& s) { return s.xoffChar == 'S'; }},
        SetterCase{"ReplacedChar", [](TComm& c) { c.SetReplacedChar('?'); },
                   [](const LineSettings& s) { return s.replacedChar == '?'; }}));

TEST_F(TCommSetterTest, ParityWhileOpenWaitsForTheNextApplication) {
    comm.OpenPort();
    comm.SetParity(TParity::Even);
    EXPECT_EQ(comm.Parity(), TParity::Even);
    EXPECT_EQ(line->Applications(), 1);
    EXPECT_EQ(line->LastApplied().parity, TParity::None);
    comm.SetStopBits(TStopBits::_2);
    EXPECT_EQ(line->LastApplied().parity, TParity::Even);

    comm.SetParity(TParity::Mark);
    comm.ClosePort();
    comm.OpenPort();
    EXPECT_EQ(line->LastApplied().parity, TParity::Mark);
}

TEST_F(TCommSetterTest, ComPortNamesOpenTheirDevice) {
    TComm com3(std::make_unique<FakeDeviceFactory>(std::make_shared<FakeLine>(), "/dev/ttyS2"));
    com3.SetCommName("COM3");
    com3.OpenPort();
    EXPECT_TRUE(com3.IsOpen());
}

struct FailureCase {
    OpenFailure failure;
    const char* message;
};

// Printed by its message: the default byte dump would read the struct's padding.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.message;
}

class TCommOpenFailureTest : public TCommSetterTest,
                             public testing::WithParamInterface<FailureCase> {};

TEST_P(TCommOpenFailureTest, RaisesItsMessageAndLeavesNothingOpen) {
    auto factory = std::make_unique<FakeDeviceFactory>(line, "fake");
    factory->FailOpens(GetParam().failure);
    TComm failing(std::move(factory));
    failing.SetCommName("fake");
    try {
        failing.OpenPort();
        ADD_FAILURE() << "opened";
    } catch (const ECommsError& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
    EXPECT_FALSE(failing.IsOpen());
    EXPECT_FALSE(line->InUse());
    EXPECT_FALSE(failing.WriteData("x", 1));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, TCommOpenFailureTest,
    testing::Values(FailureCase{OpenFailure::CannotOpen, "Error opening serial port"},
                    FailureCase{OpenFailure::NotCommHandle, "File handle is not a comm handle "},
                    FailureCase{OpenFailure::CannotSetup, "Cannot setup comm buffer"}));

// Lets the process open only `count` more descriptors while it lives.
struct DescriptorLimit {
    explicit DescriptorLimit(int count) {
        ::getrlimit(RLIMIT_NOFILE, &saved);
        rlimit lowered = saved;
        for (lowered.rlim_cur = 0; count > 0; ++lowered.rlim_cur) {
            count -= ::fcntl(static_cast<int>(lowered.rlim_cur), F_GETFD) < 0 ? 1 : 0;
        }
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &saved); }
    rlimit saved{};
};

TEST_F(TCommSetterTest, ReaderDoesNothingWhenTheWriterCannotBeCreated) {
    // What the limited open below does, done once first: the sanitizers' runtime checks each
    // dynamic type the first time it meets it, through a pipe, which the limit would refuse.
    comm.OpenPort();
    comm.ClosePort();
    try {
        throw std::system_error(EMFILE, std::generic_category(), "eventfd");
    } catch (const std::system_error&) {
    }
    QCoreApplication::processEvents();
    const int usesBefore = line->HandleUses();
    CommRecorder recorder(comm);
    line->FailReads(EIO);  // a running reader would ask for a hang-up at once
    {
        // The stop event, the receive window's and the reader's wake-ups, not the writer's.
        DescriptorLimit limit(3);
        try {
            comm.OpenPort();
            ADD_FAILURE() << "opened";
        } catch (const ECommsError& e) {
            EXPECT_STREQ(e.what(), "Unable to create write thread");
        }
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(line->HandleUses(), usesBefore);
    EXPECT_EQ(recorder.hangups + recorder.sendEmpties, 0);
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_FALSE(line->InUse());
}

}  // namespace

namespace {

TEST(TCommRefusedRate, TheSpeedReadBackIsReported) {
    auto line = std::make_shared<FakeLine>();
    line->RefuseRate(128000);
    TComm comm(std::make_unique<FakeDeviceFactory>(line, "fake"));
    comm.SetCommName("fake");
    comm.SetBaudRate(4800);
    comm.OpenPort();
    EXPECT_EQ(comm.AppliedBaudRate(), 4800);
    comm.SetBaudRate(128000);
    EXPECT_EQ(comm.AppliedBaudRate(), 4800);
    comm.ClosePort();
    EXPECT_EQ(comm.AppliedBaudRate(), std::nullopt);
}

}  // namespace
