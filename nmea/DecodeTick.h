#pragma once

#include <functional>

#include "DecodeListener.h"
#include "NavState.h"
#include "ReceiveBuffer.h"
#include "SentenceBuffer.h"

// The framing and decoding part of one decode tick. Nothing is framed while fewer
// than kFrameThreshold bytes are buffered. The first frame of a tick hunts even if
// no whole sentence is there (so a line without end cannot block the ring); later
// ones run only while a whole sentence is buffered, up to kMaxSentencesPerTick.
// Returns the number of sentences decoded.
class DecodeTick {
public:
    // Decodes one framed sentence into the record and tells the listener; DecodeSentence
    // unless another decoder is set.
    using Decoder = std::function<void(const SentenceBuffer&, NavState&, DecodeListener&)>;

    static constexpr int kFrameThreshold = 100;
    static constexpr int kMaxSentencesPerTick = 64;

    DecodeTick(ReceiveBuffer& buffer, NavState& nav) : buffer_(buffer), nav_(nav) {}

    int Run(DecodeListener& listener);

    // End of input: frames and decodes every whole sentence still buffered,
    // however few bytes remain.
    int Drain(DecodeListener& listener);

    const SentenceBuffer& Sentence() const { return sentence_; }

    // Decodes with `decoder` from now on (null: DecodeSentence again).
    void SetDecoder(Decoder decoder) { decoder_ = std::move(decoder); }

private:
    bool FrameAndDecode(DecodeListener& listener, bool& ranEmpty);

    ReceiveBuffer& buffer_;
    NavState& nav_;
    SentenceBuffer sentence_;
    Decoder decoder_;
};
