#pragma once

#include <cstdio>
#include <string>

#include "DecodeListener.h"
#include "DecodeTick.h"
#include "NavState.h"
#include "ReceiveBuffer.h"

// Pushes a recorded log through the receive buffer, the framing and the decoder the
// way the program's decode tick does, and writes one JSON line per decoded sentence.
class LogDecoder : private DecodeListener {
public:
    explicit LogDecoder(std::FILE* output) : output_(output), tick_(buffer_, nav_) {}

    // Reads `input` to its end; returns false on a read or write error.
    bool Decode(std::FILE* input);

    // A live input, piece by piece: each piece is decoded and printed at once; Finish
    // decodes what is still buffered at the end. Both return false on a write error.
    bool Feed(const char* bytes, std::size_t count);
    bool Finish();

    long long SentencesDecoded() const { return decoded_; }

private:
    void SentenceDecoded(const char* text, const NavState& nav) override;
    void Put(const unsigned char* bytes, std::size_t count);
    bool Flush();

    std::FILE* output_;
    ReceiveBuffer buffer_;
    NavState nav_;
    DecodeTick tick_;
    std::string pending_;
    long long decoded_ = 0;
};
