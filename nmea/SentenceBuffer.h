#pragma once

#include <cstring>
#include <string_view>

// The sentence being decoded: its text from the character after "$" through the
// line feed, followed by zero bytes.
struct SentenceBuffer {
    static constexpr int kSize = 200;
    static constexpr int kMaxText = kSize - 1;  // room for the terminating zero

    char bytes[kSize] = {};

    void Clear() { std::memset(bytes, 0, sizeof bytes); }
    const char* Text() const { return bytes; }
    std::string_view View() const { return {bytes, ::strnlen(bytes, kSize)}; }
};
