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
        if (buffer.GapBeforeLastTaken()) {
            // The ring overflowed inside this sentence: drop what was copied and treat
            // this byte as the first of a new hunt.
            std::memset(sentence.bytes, 0, static_cast<std::size_t>(length));
            length = 0;
            hunting = b != kDollar;
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
