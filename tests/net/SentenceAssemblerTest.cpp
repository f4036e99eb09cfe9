#include "SentenceAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> SentencesOf(const std::string& stream, std::size_t piece) {
    SentenceAssembler assembler;
    std::vector<std::string> sentences;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        const std::size_t size = std::min(piece, stream.size() - at);
        assembler.Feed(stream.data() + at, size,
                       [&](std::string_view sentence) { sentences.emplace_back(sentence); });
    }
    return sentences;
}

// What the share sends is what the intake frames: a sentence right after a receiver's binary
// frame or an unfinished line is not lost, whatever pieces the bytes come in.
TEST(SentenceAssembler, FramesEverySentenceTheIntakeFrames) {
    const std::string overlong = "$GPTXT," + std::string(SentenceAssembler::kMaxSentence, 'x');
    const struct {
        std::string stream;
        std::vector<std::string> sentences;
    } cases[] = {
        {"$GPGGA,1*00\r\n!AIVDM,2*00\r\n", {"$GPGGA,1*00", "!AIVDM,2*00"}},
        {std::string("\xb5\x62\x01\x07\x5c\x00\x10", 7) + "$GPRMC,3*00\r\n", {"$GPRMC,3*00"}},
        {"$GPGSV,cut$GPGSA,4*00\r\n", {"$GPGSA,4*00"}},
        {"noise\r\n$GPVTG,5\r\r\n", {"$GPVTG,5"}},
        {std::string("$GPGLL,\0,6\r\n$GPZDA,7\n", 21), {"$GPZDA,7"}},
        {overlong + "\r\n$GPGGA,8\r\n", {"$GPGGA,8"}},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {1u, 3u, 4096u}) {
            EXPECT_EQ(SentencesOf(c.stream, piece), c.sentences) << c.stream << " / " << piece;
        }
    }
}

}  // namespace
