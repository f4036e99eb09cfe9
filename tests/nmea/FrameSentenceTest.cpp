#include "FrameSentence.h"

#include <gtest/gtest.h>

#include "IntakeTestSupport.h"

namespace {

struct Framer {
    ReceiveBuffer ring;
    SentenceBuffer sentence;

    FrameResult Frame() {
        sentence.Clear();
        return FrameSentence(ring, sentence);
    }
};

TEST(FrameSentence, DropsStrayBytesBeforeTheDollar) {
    Framer f;
    PutText(f.ring, "xy$GPRMC,1*00\r\n");
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), "GPRMC,1*00\r\n");
    EXPECT_EQ(f.ring.Count(), 0);  // the line feed was the last byte
}

TEST(FrameSentence, KeepsTheBytesAfterTheLineFeed) {
    Framer f;
    PutText(f.ring, "$GPGGA,1\n$GPGSA");
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), "GPGGA,1\n");
    EXPECT_EQ(f.ring.Count(), 6);
}

TEST(FrameSentence, DiscardsASentenceWhoseLineFeedHasNotArrived) {
    Framer f;
    PutText(f.ring, "junk$GPRMC,123");
    EXPECT_EQ(f.Frame(), FrameResult::RanEmpty);
    EXPECT_EQ(f.sentence.View(), "");
    EXPECT_EQ(f.ring.Count(), 0);
    // Its tail is then hunted away, and the next sentence starts at position 0.
    PutText(f.ring, "519,A*00\r\n$GPVTG,1\r\n");
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), "GPVTG,1\r\n");
}

TEST(FrameSentence, LineCutShortIsNotJoinedToTheNextSentence) {
    Framer f;
    PutText(f.ring, "$GPRMC,123519,A,48$GPGGA,1*00\r\n");
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), "GPGGA,1*00\r\n");
}

TEST(FrameSentence, InputWithoutDollarIsConsumed) {
    Framer f;
    PutText(f.ring, std::string(300, 'a'));
    EXPECT_EQ(f.Frame(), FrameResult::RanEmpty);
    EXPECT_EQ(f.ring.Count(), 0);
}

TEST(FrameSentence, LongestLineThatFitsIsFramed) {
    Framer f;
    const std::string line = SentenceOfLength(SentenceBuffer::kMaxText + 1);  // "$" is not kept
    PutText(f.ring, line);
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), line.substr(1));
    EXPECT_EQ(f.sentence.bytes[SentenceBuffer::kSize - 1], '\0');
}

TEST(FrameSentence, OverlongLineIsDiscardedWithoutOverrun) {
    Framer f;
    PutText(f.ring, SentenceOfLength(SentenceBuffer::kMaxText + 2));
    PutText(f.ring, "$GPGLL,1\r\n");
    EXPECT_EQ(f.Frame(), FrameResult::Overlong);
    EXPECT_EQ(f.sentence.View(), "");
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), "GPGLL,1\r\n");
}

// Fills the ring with whole sentences and then the head of `cut`, whose tail the
// full ring drops; frames the whole sentences away again.
void OverflowInside(Framer& f, const std::string& cut, int headBytes) {
    const std::string filler = SentenceOfLength(70);
    const int room = ReceiveBuffer::kCapacity - headBytes;
    const int fillers = room / static_cast<int>(filler.size());
    PutText(f.ring, std::string(room - fillers * static_cast<int>(filler.size()), ' '));
    for (int i = 0; i < fillers; ++i) {
        PutText(f.ring, filler);
    }
    PutText(f.ring, cut);
    ASSERT_EQ(f.ring.Count(), ReceiveBuffer::kCapacity);
    while (f.ring.Count() > headBytes) {
        ASSERT_EQ(f.Frame(), FrameResult::Framed);
    }
    ASSERT_EQ(f.ring.Count(), headBytes);
}

TEST(FrameSentence, SentenceCutByOverflowIsNeverJoinedToTheNext) {
    const std::string cut = "$GPRMC,111111,A,1111.111,N,01111.111,E,1.0,1.0,010101,,*00\r\n";
    const std::string next = "$GPGGA,222222,2222.222,S*00\r\n";
    // What arrives once there is room again: the next sentence at once, or first
    // the rest of a line whose beginning was lost too.
    const std::string arrivals[] = {next, "0101,,*00\r\n" + next, "garbage" + next};
    for (const std::string& arrival : arrivals) {
        Framer f;
        OverflowInside(f, cut, 20);
        PutText(f.ring, arrival);
        ASSERT_EQ(f.Frame(), FrameResult::Framed) << arrival;
        EXPECT_EQ(f.sentence.View(), next.substr(1)) << arrival;
        EXPECT_EQ(f.ring.Count(), 0);
    }
}

TEST(FrameSentence, ResetForgetsAnEarlierLoss) {
    Framer f;
    // Leave a loss mark at position 3991: full ring, one byte dropped, one taken, one stored.
    PutText(f.ring, std::string(ReceiveBuffer::kCapacity, ' '));
    f.ring.Put('d');
    f.ring.Get();
    f.ring.Put(' ');
    f.ring.Reset();
    // A sentence stored across position 3991 after the reset is whole.
    PutText(f.ring, std::string(3985, ' '));
    EXPECT_EQ(f.Frame(), FrameResult::RanEmpty);
    PutText(f.ring, "$GPVTG,5\n");
    ASSERT_EQ(f.Frame(), FrameResult::Framed);
    EXPECT_EQ(f.sentence.View(), "GPVTG,5\n");
}

TEST(HoldsCompleteSentence, NeedsADollarFollowedByALineFeed) {
    struct Case {
        const char* bytes;
        bool complete;
    };
    const Case cases[] = {
        {"", false},        {"\n$GPGGA", false},    {"$GPGGA,1", false}, {"$GPGGA\n", true},
        {"ab\n$x\n", true}, {"no dollar\n", false}, {"$\n", true},
    };
    for (const Case& c : cases) {
        ReceiveBuffer ring;
        PutText(ring, c.bytes);
        EXPECT_EQ(HoldsCompleteSentence(ring), c.complete) << c.bytes;
    }
}

}  // namespace
