#include "DecodeTick.h"

#include <gtest/gtest.h>

#include <string>

#include "IntakeTestSupport.h"
#include "RecordingListener.h"

namespace {

struct Intake {
    ReceiveBuffer ring;
    NavState nav;
    DecodeTick tick{ring, nav};
    RecordingListener listener;

    int Run() { return tick.Run(listener); }
};

TEST(DecodeTick, FramesNothingBelowOneHundredBytes) {
    Intake in;
    const std::string sentence = SentenceOfLength(60);
    PutText(in.ring, std::string(39, ' ') + sentence);  // 99 bytes
    EXPECT_EQ(in.Run(), 0);
    EXPECT_EQ(in.ring.Count(), 99);
    in.ring.Put(' ');
    EXPECT_EQ(in.Run(), 1);
    EXPECT_EQ(in.listener.framed.at(0), sentence.substr(1));
}

TEST(DecodeTick, LineFeedAsTheLastBufferedByteIsFramed) {
    Intake in;
    PutText(in.ring, std::string(40, '#') + SentenceOfLength(60));
    EXPECT_EQ(in.Run(), 1);
    EXPECT_EQ(in.ring.Count(), 0);
}

TEST(DecodeTick, FramesSentenceAfterSentenceWhileEnoughIsBuffered) {
    Intake in;
    for (int i = 0; i < 5; ++i) {
        PutText(in.ring, SentenceOfLength(50, static_cast<char>('a' + i)));
    }
    // 250 bytes: three frames leave 100, the fourth leaves 50, which waits.
    EXPECT_EQ(in.Run(), 4);
    EXPECT_EQ(in.ring.Count(), 50);
    EXPECT_EQ(in.listener.framed.size(), 4u);
    EXPECT_EQ(in.listener.framed[3], SentenceOfLength(50, 'd').substr(1));
}

TEST(DecodeTick, LaterFramesWaitForAWholeSentence) {
    Intake in;
    PutText(in.ring, SentenceOfLength(80));
    PutText(in.ring, "$GPRMC," + std::string(120, '1'));  // still arriving
    EXPECT_EQ(in.Run(), 1);
    EXPECT_EQ(in.ring.Count(), 127);  // the unfinished sentence is kept
    PutText(in.ring, "*00\r\n");
    EXPECT_EQ(in.Run(), 1);
}

TEST(DecodeTick, BoundedNumberOfSentencesPerTick) {
    Intake in;
    for (int i = 0; i < 100; ++i) {
        PutText(in.ring, "$GPVTG,1*00\r\n");
    }
    EXPECT_EQ(in.Run(), DecodeTick::kMaxSentencesPerTick);
    EXPECT_EQ(in.ring.Count(), 36 * 13);
}

TEST(DecodeTick, LogThenDecodeForEachSentence) {
    Intake in;
    PutText(in.ring, "$GPVTG,1*00\r\n$PGRME,15.0*1A\r\n" + std::string(100, ' ') + "$");
    EXPECT_EQ(in.Run(), 2);
    const std::vector<std::string> expected = {"framed", "row 7 GPVTG,1*00\r\n", "decoded",
                                               "framed", "decoded"};
    EXPECT_EQ(in.listener.calls, expected);
}

TEST(DecodeTick, DrainTakesWholeSentencesHoweverFew) {
    Intake in;
    PutText(in.ring, "$GPVTG,1*00\r\n$GPGLL,2*00\r\n$GPGGA,3");
    EXPECT_EQ(in.Run(), 0);
    EXPECT_EQ(in.tick.Drain(in.listener), 2);
    EXPECT_EQ(in.ring.Count(), 8);  // the cut-off GGA stays
}

TEST(DecodeTick, SentenceHoldingAZeroByteIsDroppedNotCutShort) {
    // Kept, the zero would end the text before its line feed, and the log would join the
    // next record onto that line. Framing drops such a sentence and goes on with the next.
    const std::string next = "$GPGLL,2*00\r\n";
    using namespace std::string_literals;
    const std::string broken[] = {
        "$\0GPVTG,1*00\r\n"s,
        "$GPVTG,\0,1*00\r\n"s,
        "$GPVTG,1*00\r\0\n"s,
        "$GPVTG,1*00\0\n"s,
    };
    for (const std::string& line : broken) {
        Intake in;
        PutText(in.ring, line + next + std::string(100, ' ') + "$");
        EXPECT_EQ(in.Run(), 1);
        ASSERT_EQ(in.listener.framed.size(), 1u);
        EXPECT_EQ(in.listener.framed[0], next.substr(1));
    }
}

TEST(DecodeTick, OverflowingReceiverNeverYieldsAJoinedSentence) {
    // A receiver sends faster than the ticks drain; every framed sentence must be one
    // of those sent, never the head of one joined to the tail of another.
    Intake in;
    const std::string sentences[] = {
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n",
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n",
    };
    for (int round = 0; round < 2000; ++round) {
        for (const std::string& s : sentences) {
            PutText(in.ring, s);
        }
        if (round % 30 == 0) {  // 90 sentences arrive per tick, 64 are taken
            in.Run();
        }
    }
    ASSERT_GT(in.listener.framed.size(), 50u);
    for (const std::string& framed : in.listener.framed) {
        const bool known = framed == sentences[0].substr(1) || framed == sentences[1].substr(1) ||
                           framed == sentences[2].substr(1);
        EXPECT_TRUE(known) << framed;
    }
}

}  // namespace
