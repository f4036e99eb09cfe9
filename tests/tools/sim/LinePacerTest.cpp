#include "LinePacer.h"

#include <gtest/gtest.h>

using namespace kelmsim;

namespace {

// Bytes a writer gets onto the line in the given time when it writes a chunk whenever the
// pacer is ready, stepping a simulated clock.
std::size_t bytesCarried(LinePacer& pacer, double seconds) {
    std::size_t total = 0;
    const double step = 0.001;
    for (double now = 0.0; now < seconds; now += step) {
        while (pacer.ready(now) && pacer.readyAt() < seconds) {
            pacer.sent(pacer.chunkBytes(), now);
            total += pacer.chunkBytes();
        }
    }
    return total;
}

struct BaudCase {
    int baud;
    double bytesPerSecond;
};

TEST(LinePacer, TenBitTimesPerByte) {
    const BaudCase cases[] = {{4800, 480.0}, {9600, 960.0}, {38400, 3840.0}, {115200, 11520.0}};
    for (const auto& c : cases) {
        LinePacer pacer(c.baud);
        EXPECT_TRUE(pacer.paced());
        EXPECT_DOUBLE_EQ(pacer.bytesPerSecond(), c.bytesPerSecond);
        EXPECT_DOUBLE_EQ(pacer.secondsFor(static_cast<std::size_t>(c.bytesPerSecond)), 1.0);
        // Over ten seconds the line carries ten seconds' worth, give or take one chunk.
        const std::size_t carried = bytesCarried(pacer, 10.0);
        EXPECT_NEAR(static_cast<double>(carried), c.bytesPerSecond * 10.0,
                    static_cast<double>(pacer.chunkBytes()))
            << c.baud << " baud";
    }
}

TEST(LinePacer, IdleLineDoesNotSaveUpForABurst) {
    LinePacer pacer(4800);
    pacer.sent(48, 0.0);
    EXPECT_DOUBLE_EQ(pacer.readyAt(), 0.1);
    // Nothing sent for a minute: the next bytes take their own time from then on.
    pacer.sent(480, 60.0);
    EXPECT_DOUBLE_EQ(pacer.readyAt(), 61.0);
    EXPECT_FALSE(pacer.ready(60.5));
    EXPECT_TRUE(pacer.ready(61.0));
}

TEST(LinePacer, ZeroBaudIsUnpaced) {
    LinePacer pacer(0);
    EXPECT_FALSE(pacer.paced());
    pacer.sent(100000, 0.0);
    EXPECT_TRUE(pacer.ready(0.0));
    EXPECT_GT(pacer.chunkBytes(), 1000u);
}

}  // namespace
