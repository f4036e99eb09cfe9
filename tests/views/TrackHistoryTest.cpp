#include "TrackHistory.h"

#include <gtest/gtest.h>

namespace {

TrackPoint Numbered(int n) {
    return {static_cast<float>(n), static_cast<float>(-n)};
}

TEST(TrackHistory, KeepsPointsInOrderOfArrival) {
    TrackHistory track;
    std::int32_t count = 0;
    for (int n = 0; n < 5; ++n) {
        track.Append(count, Numbered(n));
    }
    ASSERT_EQ(count, 5);
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(track.At(count, n), Numbered(n));
    }
}

TEST(TrackHistory, WhenFullTheNewestPointReplacesTheOldest) {
    TrackHistory track;
    std::int32_t count = 0;
    const int extra = 7;
    for (int n = 0; n < TrackHistory::kCapacity + extra; ++n) {
        track.Append(count, Numbered(n));
    }
    EXPECT_EQ(count, TrackHistory::kCapacity);
    EXPECT_EQ(track.At(count, 0), Numbered(extra));
    EXPECT_EQ(track.At(count, count - 2), Numbered(TrackHistory::kCapacity + extra - 2));
    EXPECT_EQ(track.At(count, count - 1), Numbered(TrackHistory::kCapacity + extra - 1));
}

TEST(TrackHistory, AResetCountStartsAFreshTrackAfterAWrap) {
    TrackHistory track;
    std::int32_t count = 0;
    for (int n = 0; n < TrackHistory::kCapacity + 3; ++n) {
        track.Append(count, Numbered(n));
    }
    count = 0;  // what a reset of the map does
    track.Append(count, Numbered(-1));
    track.Append(count, Numbered(-2));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(track.At(count, 0), Numbered(-1));
    EXPECT_EQ(track.At(count, 1), Numbered(-2));
}

TEST(TrackHistory, CountsOutsideTheHistoryAreHeldInRange) {
    TrackHistory track;
    std::int32_t count = -4;
    track.Append(count, Numbered(1));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(TrackHistory::InUse(TrackHistory::kCapacity * 2), TrackHistory::kCapacity);
    EXPECT_EQ(TrackHistory::InUse(-1), 0);
    // Indices past the points in use read the nearest one rather than beyond the arrays.
    EXPECT_EQ(track.At(count, 99), Numbered(1));
}

}  // namespace
