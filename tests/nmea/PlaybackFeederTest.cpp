#include "PlaybackFeeder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A temporary file holding `content`, open for reading.
class TempFile {
public:
    explicit TempFile(const std::string& content) : file_(std::tmpfile()) {
        std::fwrite(content.data(), 1, content.size(), file_);
        std::rewind(file_);
    }
    ~TempFile() { std::fclose(file_); }
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_;
};

std::string Drain(ReceiveBuffer& ring) {
    std::string out;
    while (ring.Count() > 0) {
        out += static_cast<char>(ring.Get());
    }
    return out;
}

TEST(FeedPlaybackLines, FeedsFourTokensEachEndingInALineFeed) {
    TempFile file("$GPGGA,1*00\r\n$GPGSA,2*00\r\n\r\n$GPGSV,3\r\n$GPRMC,4\r\n$GPVTG,5\r\n");
    ReceiveBuffer ring;
    EXPECT_EQ(FeedPlaybackLines(file.get(), ring), 4);
    EXPECT_EQ(Drain(ring), "$GPGGA,1*00\n$GPGSA,2*00\n$GPGSV,3\n$GPRMC,4\n");
    EXPECT_EQ(FeedPlaybackLines(file.get(), ring), 1);
    EXPECT_EQ(Drain(ring), "$GPVTG,5\n");
}

TEST(FeedPlaybackLines, FeedsNothingAtTheEndOfTheFile) {
    TempFile file("$GPGGA,1\n");
    ReceiveBuffer ring;
    EXPECT_EQ(FeedPlaybackLines(file.get(), ring), 1);
    Drain(ring);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(FeedPlaybackLines(file.get(), ring), 0);
        EXPECT_EQ(ring.Count(), 0);
    }
}

TEST(FeedPlaybackLines, BlanksSplitALineIntoTokens) {
    TempFile file("# comment line\n$GPGGA,1\n");
    ReceiveBuffer ring;
    FeedPlaybackLines(file.get(), ring);
    EXPECT_EQ(Drain(ring), "#\ncomment\nline\n$GPGGA,1\n");
}

TEST(FeedPlaybackLines, SkipsATokenTooLongForTheLineBuffer) {
    const std::string longest(kPlaybackLineBufferSize - 1, 'a');
    const std::string tooLong(kPlaybackLineBufferSize, 'b');
    TempFile file(longest + "\n" + tooLong + "\n$GPRMC,1\n");
    ReceiveBuffer ring;
    EXPECT_EQ(FeedPlaybackLines(file.get(), ring), 2);
    EXPECT_EQ(Drain(ring), longest + "\n$GPRMC,1\n");
}

TEST(FeedPlaybackLines, NoFileFeedsNothing) {
    ReceiveBuffer ring;
    EXPECT_EQ(FeedPlaybackLines(nullptr, ring), 0);
    EXPECT_EQ(ring.Count(), 0);
}

}  // namespace
