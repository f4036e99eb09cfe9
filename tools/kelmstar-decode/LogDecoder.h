#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "DecodeListener.h"
#include "DecodeOptions.h"
#include "DecodeTick.h"
#include "GnssDecoder.h"
#include "NavState.h"
#include "ReceiveBuffer.h"

// Pushes a recorded log through the receive buffer, the framing and the decoder the
// way the program's decode tick does, and writes one JSON line per decoded sentence, or
// with DecodeSystems::All one per epoch of every satellite system.
class LogDecoder : private DecodeListener {
public:
    explicit LogDecoder(std::FILE* output, DecodeSystems systems = DecodeSystems::Gps)
        : output_(output), systems_(systems), tick_(buffer_, nav_) {}

    // Reads `input` to its end; returns false on a read or write error.
    bool Decode(std::FILE* input);

    // Decode in steps, for input that arrives over time: Feed what came (framed once the
    // ring is full, as Decode does), CatchUp when the input pauses (frames the whole
    // sentences buffered, as the program's decode tick would have by then, and prints
    // them), and Finish once at the end. Each returns false on a write error.
    bool Feed(const char* bytes, std::size_t count);
    bool CatchUp();
    bool Finish();

    long long SentencesDecoded() const { return decoded_; }

    // Also hands every framed sentence (its text after "$") to `observer`.
    void ObserveFramed(std::function<void(const char*)> observer) { framed_ = std::move(observer); }

private:
    void SentenceFramed(const char* text) override;
    void SentenceDecoded(const char* text, const NavState& nav) override;
    void Put(const unsigned char* bytes, std::size_t count);
    bool Flush();

    std::FILE* output_;
    DecodeSystems systems_;
    GnssDecoder gnss_;
    ReceiveBuffer buffer_;
    NavState nav_;
    DecodeTick tick_;
    std::string pending_;
    long long decoded_ = 0;
    std::function<void(const char*)> framed_;
};
