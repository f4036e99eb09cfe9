#include "FrameSentence.h"

#include <cstring>

namespace {

constexpr std::uint8_t kDollar = '$';
constexpr std::uint8_t kLineFeed = '\n';

// Discards bytes up to and including the next "$"; false when the ring ran empty.
bool Hunt(ReceiveBuffer& buffer) {
    while (buffer.Count() > 0) {
        if (buffer.Get() == kDollar) {
            return true;
        }
    }
    return false;
}

}  // namespace

FrameResult FrameSentence(ReceiveBuffer& buffer, SentenceBuffer& sentence) {
    bool hunting = true;
    int length = 0;
    while (true) {
        if (hunting) {
            if (!Hunt(buffer)) {
                return FrameResult::RanEmpty;
            }
            hunting = false;
            length = 0;
            continue;
        }
        if (buffer.Count() == 0) {
            std::memset(sentence.bytes, 0, static_cast<std::size_t>(length));
            return FrameResult::RanEmpty;
        }
        const std::uint8_t b = buffer.Get();
        if (buffer.GapBeforeLastTaken() || b == kDollar) {
            // The ring overflowed inside this sentence, or the line was cut short and
            // the next sentence began: drop what was copied and take this byte as the
            // first of a new hunt.
            std::memset(sentence.bytes, 0, static_cast<std::size_t>(length));
            length = 0;
            hunting = b != kDollar;
            continue;
        }
        if (b == 0) {
            // No sentence holds a zero byte, and the text is used as a C string: kept, it
            // would cut the sentence before its line feed (the log would then join the
            // next record to it). Drop the sentence and hunt for the next one.
            std::memset(sentence.bytes, 0, static_cast<std::size_t>(length));
            length = 0;
            hunting = true;
            continue;
        }
        sentence.bytes[length++] = static_cast<char>(b);
        if (b == kLineFeed) {
            return FrameResult::Framed;
        }
        if (length == SentenceBuffer::kMaxText) {
            std::memset(sentence.bytes, 0, static_cast<std::size_t>(length));
            return FrameResult::Overlong;
        }
    }
}

bool HoldsCompleteSentence(const ReceiveBuffer& buffer) {
    const std::int32_t count = buffer.Count();
    std::int32_t i = 0;
    while (i < count && buffer.Peek(i) != kDollar) {
        ++i;
    }
    for (++i; i < count; ++i) {
        if (buffer.Peek(i) == kLineFeed) {
            return true;
        }
    }
    return false;
}
