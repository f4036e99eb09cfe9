#include "ReceiveBuffer.h"

#include <gtest/gtest.h>

namespace {

TEST(ReceiveBuffer, StartsEmptyAndGetOnEmptyChangesNothing) {
    ReceiveBuffer ring;
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_EQ(ring.Get(), 0);
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_EQ(ring.ReadIndex(), 0);
}

TEST(ReceiveBuffer, IndicesAdvanceBeforeUse) {
    ReceiveBuffer ring;
    EXPECT_EQ(ring.Put('a'), 'a');
    EXPECT_EQ(ring.WriteIndex(), 1);
    EXPECT_EQ(ring.Get(), 'a');
    EXPECT_EQ(ring.ReadIndex(), 1);
}

TEST(ReceiveBuffer, HoldsAtMost3990BytesAndDropsTheRest) {
    ReceiveBuffer ring;
    for (int i = 0; i < 3995; ++i) {
        ring.Put(static_cast<std::uint8_t>(i % 251 + 1));
    }
    EXPECT_EQ(ring.Count(), 3990);
    EXPECT_EQ(ring.Put('x'), 0);
    // The first 3990 bytes are kept in order; the last five were lost.
    for (int i = 0; i < 3990; ++i) {
        ASSERT_EQ(ring.Get(), static_cast<std::uint8_t>(i % 251 + 1)) << i;
    }
    EXPECT_EQ(ring.Count(), 0);
}

TEST(ReceiveBuffer, WrapsAfterPosition3998WithoutReordering) {
    ReceiveBuffer ring;
    int expected = 0;
    for (int i = 0; i < 3999; ++i) {
        ring.Put(static_cast<std::uint8_t>(i % 256));
        if (i % 2 == 1) {
            ASSERT_EQ(ring.Get(), static_cast<std::uint8_t>(expected++ % 256));
        }
    }
    EXPECT_EQ(ring.WriteIndex(), 0);  // the 3999th byte went to position 0
    while (ring.Count() > 0) {
        ASSERT_EQ(ring.Get(), static_cast<std::uint8_t>(expected++ % 256));
    }
    EXPECT_EQ(expected, 3999);
}

TEST(ReceiveBuffer, ResetEmptiesAndRestartsAtPositionOne) {
    ReceiveBuffer ring;
    for (int i = 0; i < 50; ++i) {
        ring.Put('z');
    }
    ring.Reset();
    EXPECT_EQ(ring.Count(), 0);
    EXPECT_EQ(ring.WriteIndex(), 0);
    EXPECT_EQ(ring.ReadIndex(), 0);
    ring.Put('q');
    EXPECT_EQ(ring.WriteIndex(), 1);
    EXPECT_EQ(ring.Peek(0), 'q');
}

TEST(ReceiveBuffer, MarksTheByteAfterALoss) {
    ReceiveBuffer ring;
    for (int i = 0; i < ReceiveBuffer::kCapacity; ++i) {
        ring.Put('a');
    }
    ring.Put('L');  // dropped: the ring is full
    ring.Get();
    ring.Put('b');
    for (int i = 0; i < ReceiveBuffer::kCapacity - 1; ++i) {
        ring.Get();
        ASSERT_FALSE(ring.GapBeforeLastTaken());
    }
    EXPECT_EQ(ring.Get(), 'b');
    EXPECT_TRUE(ring.GapBeforeLastTaken());
}

}  // namespace
