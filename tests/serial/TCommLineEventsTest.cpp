#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <QTest>
#include <QTimer>
#include <cerrno>
#include <thread>

#include "CommRecorder.h"
#include "FakeDeviceFactory.h"
#include "serial/TComm.h"
#include "serial/TReadThread.h"

namespace {

using namespace std::chrono_literals;

class TCommFakeTest : public testing::Test {
protected:
    TCommFakeTest() : comm(std::make_unique<FakeDeviceFactory>(line, "fake")), recorder(comm) {
        comm.SetCommName("fake");
        comm.SetOutx_XonXoffFlow(false);
        comm.OpenPort();
    }

    // Some data gets through, so the reader is known to be serving the line.
    void ExpectReceives(const std::string& text) {
        const std::size_t before = recorder.received.size();
        WriteAll(line->Master(), text);
        ASSERT_TRUE(recorder.WaitForBytes(before + text.size()));
        EXPECT_EQ(recorder.received.substr(before), text);
    }

    void WaitForHangup() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.hangups > 0; }, 5000));
    }

    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    TComm comm;
    CommRecorder recorder;
};

TEST_F(TCommFakeTest, LineErrorIsReportedOnceAndReadingGoesOn) {
    line->InjectLineEvents(LineEvents::kFrame | LineEvents::kOverrun, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.receiveErrors.empty(); }, 5000));
    ExpectReceives("$GPGSA*00\r\n");
    EXPECT_EQ(recorder.receiveErrors, (std::vector<std::int32_t>{0x000A}));
    EXPECT_TRUE(recorder.modemEvents.empty());
    EXPECT_EQ(recorder.hangups, 0);
    EXPECT_TRUE(comm.ReaderRunning());
}

struct ModemCase {
    std::int32_t injected;
    std::int32_t reported;
};

class TCommModemTest : public TCommFakeTest, public testing::WithParamInterface<ModemCase> {};

TEST_P(TCommModemTest, ModemChangeIsReportedWithItsCode) {
    line->InjectLineEvents(0, GetParam().injected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.modemEvents.empty(); }, 5000));
    ExpectReceives("ok");
    EXPECT_EQ(recorder.modemEvents, (std::vector<std::int32_t>{GetParam().reported}));
    EXPECT_TRUE(recorder.receiveErrors.empty());
}

INSTANTIATE_TEST_SUITE_P(Codes, TCommModemTest,
                         testing::Values(ModemCase{LineEvents::kCarrier, 8},
                                         ModemCase{LineEvents::kRing, 4},
                                         ModemCase{LineEvents::kCarrier | LineEvents::kRing, 12}));

TEST_F(TCommFakeTest, ErrorAndModemChangeTogetherGiveBothEvents) {
    line->InjectLineEvents(LineEvents::kBreak, LineEvents::kRing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.modemEvents.empty(); }, 5000));
    EXPECT_EQ(recorder.receiveErrors, (std::vector<std::int32_t>{LineEvents::kBreak}));
    EXPECT_EQ(recorder.modemEvents, (std::vector<std::int32_t>{4}));
}

struct FailureCase {
    const char* what;
    void (FakeLine::*inject)(int);
    int error;
};

// Printed by name: the default byte dump would read the struct's padding.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.what;
}

class TCommReaderFailureTest : public TCommFakeTest,
                               public testing::WithParamInterface<FailureCase> {};

TEST_P(TCommReaderFailureTest, AsksForOneHangupAndEndsTheReader) {
    ExpectReceives("before");
    ((*line).*GetParam().inject)(GetParam().error);
    WaitForHangup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.ReaderRunning(); }, 5000)) << GetParam().what;
    EXPECT_EQ(recorder.hangups, 1) << GetParam().what;
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_TRUE(comm.WriterRunning());

    // Closing and opening again brings reception back once the device has recovered.
    line->Heal();
    comm.ClosePort();
    comm.OpenPort();
    ExpectReceives("after");
}

INSTANTIATE_TEST_SUITE_P(Failures, TCommReaderFailureTest,
                         testing::Values(FailureCase{"read EIO", &FakeLine::FailReads, EIO},
                                         FailureCase{"read ENXIO", &FakeLine::FailReads, ENXIO},
                                         FailureCase{"line query EIO", &FakeLine::FailLineQueries,
                                                     EIO}));

TEST_F(TCommFakeTest, BytesReadBeforeAFailedLineQueryArriveBeforeTheHangup) {
    std::string receivedAtHangup = "(no hang-up)";
    comm.OnRequestHangup = [&](TComm&) { receivedAtHangup = recorder.received; };
    comm.SetReadIntervalTimeout(0);  // no time limits: the bytes wait in the reader's block
    WriteAll(line->Master(), "partial");
    ASSERT_TRUE(QTest::qWaitFor([&] { return line->BytesRead() == 7; }, 5000));
    line->FailLineQueries(EIO);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.ReaderRunning(); }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(receivedAtHangup, "partial");
}

// What the reader posted before the port closed belongs to a source that was stopped: it
// reaches no handler, also when the port is opened again before the events are served.
TEST_F(TCommFakeTest, BlocksPostedBeforeClosingReachNoHandler) {
    WriteAll(line->Master(), std::string(TReadThread::kBufferSize, 'x'));
    // A full block is posted as soon as its last byte is read; closing waits for the reader.
    // The event loop must not run meanwhile.
    for (int i = 0; i < 500 && line->BytesRead() < TReadThread::kBufferSize; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(line->BytesRead(), TReadThread::kBufferSize);
    comm.ClosePort();
    comm.OpenPort();
    ExpectReceives("$GPGGA*00\r\n");
    EXPECT_EQ(recorder.received, "$GPGGA*00\r\n");
}

TEST_F(TCommFakeTest, DeviceClosedUnderTheReaderEndsItWithoutHangup) {
    line->FailReads(EBADF);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.ReaderRunning(); }, 5000));
    comm.ClosePort();  // delivers nothing more: the events posted so far are all there is
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.hangups, 0);
}

TEST_F(TCommFakeTest, WriteFailureAsksForHangupAndEndsTheWriter) {
    line->FailWrites(EIO);
    ASSERT_TRUE(comm.WriteData("lost", 4));
    WaitForHangup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.WriterRunning(); }, 5000));
    EXPECT_EQ(recorder.hangups, 1);
    EXPECT_TRUE(comm.TxQueueEmpty());
    ExpectReceives("reader unaffected");
}

TEST_F(TCommFakeTest, WriteAfterTheWriterEndedIsRefused) {
    line->FailWrites(EIO);
    ASSERT_TRUE(comm.WriteData("lost", 4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.WriterRunning(); }, 5000));
    EXPECT_FALSE(comm.WriteData("more", 4));
    EXPECT_TRUE(comm.TxQueueEmpty());
}

TEST_F(TCommFakeTest, CloseAbortsAPendingWriteAndDropsTheQueue) {
    line->HoldOutput(true);
    ASSERT_TRUE(comm.WriteData("held", 4));
    ASSERT_TRUE(comm.WriteData("queued", 6));
    EXPECT_FALSE(comm.TxQueueEmpty());
    comm.ClosePort();
    EXPECT_TRUE(comm.TxQueueEmpty());
    line->HoldOutput(false);
    // Whatever was written is on its way at once; neither block may show up.
    EXPECT_EQ(ReadUpTo(line->Master(), 10, 300ms), "");
    EXPECT_EQ(recorder.hangups, 0);
}

TEST_F(TCommFakeTest, HeldOutputResumesWhereItStopped) {
    line->HoldOutput(true);
    const std::string block(3000, 'w');
    ASSERT_TRUE(comm.WriteData(block.data(), static_cast<std::uint16_t>(block.size())));
    ASSERT_TRUE(comm.WriteData("!", 1));
    line->HoldOutput(false);
    EXPECT_EQ(ReadUpTo(line->Master(), block.size() + 1, 5000ms), block + "!");
}

// A device without an event descriptor, as real ones are: the reader asks it for line events.
class TCommAskedLineTest : public testing::Test {
protected:
    TCommAskedLineTest() : comm(std::make_unique<FakeDeviceFactory>(line, "fake")), recorder(comm) {
        line->AskedEvery(200ms);  // as often as a real device is asked
        comm.SetCommName("fake");
        comm.SetReadTotalTimeoutConstant(100);  // the main window's: a block at least every 100 ms
        comm.OpenPort();
        QObject::connect(&stream, &QTimer::timeout,
                         [this] { WriteAll(line->Master(), "$GPGSV,3,1*00\r\n"); });
    }

    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    TComm comm;
    CommRecorder recorder;
    QTimer stream;  // a receiver that never pauses for long
};

TEST_F(TCommAskedLineTest, LineEventsAreReportedWhileDataStreams) {
    stream.start(20);
    ASSERT_TRUE(recorder.WaitForBytes(100));
    line->Count(&serial_icounter_struct::frame);
    line->Count(&serial_icounter_struct::dcd);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.modemEvents.empty(); }, 3000));
    EXPECT_EQ(recorder.receiveErrors, (std::vector<std::int32_t>{LineEvents::kFrame}));
    EXPECT_EQ(recorder.modemEvents, (std::vector<std::int32_t>{LineEvents::kCarrier}));
}

// An on-board 8250/16550 UART without RTS/CTS handshaking leaves its modem-status interrupt
// off: the carrier and ring counters stand still while the levels change.
TEST_F(TCommAskedLineTest, CarrierAndRingLevelChangesAreReportedWithoutCounters) {
    line->SetModemLines(TIOCM_CD | TIOCM_RI);  // carrier up, ring starts
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.modemEvents.size() == 1; }, 3000));
    line->SetModemLines(0);  // carrier down, ring ends
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.modemEvents.size() == 2; }, 3000));
    EXPECT_EQ(recorder.modemEvents, (std::vector<std::int32_t>{8, 12}));
}

}  // namespace
