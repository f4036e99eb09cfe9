#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "CommRecorder.h"
#include "PtyPair.h"
#include "serial/TComm.h"

namespace {

using namespace std::chrono_literals;

// Every byte value, in an order that does not repeat with a short period.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + i / 256) & 0xFF);
    }
    return bytes;
}

class TCommDataTest : public testing::Test {
protected:
    void SetUp() override {
        comm.SetCommName(pty.SlavePath());
        // Flow-control characters would be taken out of the binary test data.
        comm.SetOutx_XonXoffFlow(false);
        comm.SetInx_XonXoffFlow(false);
        comm.OpenPort();
    }

    PtyPair pty;
    TComm comm;
};

TEST_F(TCommDataTest, BurstArrivesInOrderedBlocksOfAtMost2048Bytes) {
    CommRecorder recorder(comm);
    const std::string burst = Pattern(5000);
    WriteAll(pty.Master(), burst);
    ASSERT_TRUE(recorder.WaitForBytes(burst.size()));
    EXPECT_EQ(recorder.received, burst);
    EXPECT_GE(recorder.blockLengths.size(), 3u);
    EXPECT_LE(*std::max_element(recorder.blockLengths.begin(), recorder.blockLengths.end()), 2048);
    EXPECT_TRUE(recorder.everyBlockZeroTerminated);
}

TEST_F(TCommDataTest, SeparateMessagesArriveAsSeparateBlocks) {
    CommRecorder recorder(comm);
    WriteAll(pty.Master(), "$GPRMC,1*00\r\n");
    ASSERT_TRUE(recorder.WaitForBytes(13));
    WriteAll(pty.Master(), "$GPGGA,2*00\r\n");
    ASSERT_TRUE(recorder.WaitForBytes(26));
    EXPECT_EQ(recorder.received, "$GPRMC,1*00\r\n$GPGGA,2*00\r\n");
    EXPECT_EQ(recorder.blockLengths, (std::vector<std::uint16_t>{13, 13}));
}

TEST_F(TCommDataTest, TwoWritesArriveInOrderEachWhole) {
    const std::string first(40000, 'A');
    const std::string second = Pattern(30000);
    ASSERT_TRUE(comm.WriteData(first.data(), static_cast<std::uint16_t>(first.size())));
    ASSERT_TRUE(comm.WriteData(second.data(), static_cast<std::uint16_t>(second.size())));
    EXPECT_EQ(ReadUpTo(pty.Master(), first.size() + second.size(), 5000ms), first + second);
}

TEST_F(TCommDataTest, WriteCopiesTheCallersBytes) {
    char buffer[] = "$PQKL103,1*00\r\n";
    ASSERT_TRUE(comm.WriteData(buffer, sizeof buffer - 1));
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(ReadUpTo(pty.Master(), 15, 5000ms), "$PQKL103,1*00\r\n");
}

TEST_F(TCommDataTest, QueueEmptyIsReportedOnceEachTimeItRunsDry) {
    CommRecorder recorder(comm);
    // Once when the writer starts.
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.sendEmpties == 1; }, 5000));
    ASSERT_TRUE(comm.WriteData("abc", 3));
    EXPECT_EQ(ReadUpTo(pty.Master(), 3, 5000ms), "abc");
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.sendEmpties == 2; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return comm.TxQueueEmpty(); }, 5000));
}

TEST_F(TCommDataTest, FarEndClosingAsksForHangupAndEndsTheReader) {
    CommRecorder recorder(comm);
    WriteAll(pty.Master(), "last words");
    ASSERT_TRUE(recorder.WaitForBytes(10));
    pty.CloseMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.hangups > 0; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !comm.ReaderRunning(); }, 5000));
    EXPECT_EQ(recorder.hangups, 1);
    // Still open until the owner closes it; then a device that is back is read again.
    EXPECT_TRUE(comm.IsOpen());
    comm.ClosePort();
    PtyPair replacement;
    comm.SetCommName(replacement.SlavePath());
    comm.OpenPort();
    WriteAll(replacement.Master(), "back");
    ASSERT_TRUE(recorder.WaitForBytes(14));
    EXPECT_EQ(recorder.received, "last wordsback");
}

TEST_F(TCommDataTest, BlocksWithoutAHandlerAreDroppedQuietly) {
    CommRecorder recorder(comm);
    comm.OnReceiveData = nullptr;  // whatever is read is released unseen
    WriteAll(pty.Master(), "unheard");
    pty.CloseMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.hangups > 0; }, 5000));
    EXPECT_TRUE(recorder.received.empty());
    EXPECT_EQ(recorder.hangups, 1);
}

}  // namespace
