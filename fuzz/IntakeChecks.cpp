#include "IntakeChecks.h"

#include <cmath>
#include <cstring>

#include "FuzzCheck.h"
#include "SentenceBuffer.h"

void CheckRing(const ReceiveBuffer& buffer) {
    FUZZ_CHECK(buffer.Count() >= 0 && buffer.Count() <= ReceiveBuffer::kCapacity);
    FUZZ_CHECK(buffer.WriteIndex() >= 0 && buffer.WriteIndex() < ReceiveBuffer::kPositions);
    FUZZ_CHECK(buffer.ReadIndex() >= 0 && buffer.ReadIndex() < ReceiveBuffer::kPositions);
}

void CheckingListener::SentenceFramed(const char* text) {
    const std::size_t length = ::strnlen(text, SentenceBuffer::kSize);
    FUZZ_CHECK(length >= 1 && length <= static_cast<std::size_t>(SentenceBuffer::kMaxText));
    FUZZ_CHECK(text[length - 1] == '\n');
    // Only the last byte is a line feed: framing stops at the first one.
    FUZZ_CHECK(std::memchr(text, '\n', length - 1) == nullptr);
}

void CheckingListener::SentenceDecoded(const char* text, const NavState& nav) {
    (void)text;
    CheckNavState(nav);
}

void CheckNavState(const NavState& nav) {
    const float values[] = {nav.utcSecond,  nav.latitude,  nav.longitude,
                            nav.speedKnots, nav.courseDeg, nav.altitude,
                            nav.pdop,       nav.hdop,      nav.vdop};
    for (const float value : values) {
        FUZZ_CHECK(std::isfinite(value));
    }
}
