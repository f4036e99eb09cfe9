#pragma once

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
    static constexpr int kFrameThreshold = 100;
    static constexpr int kMaxSentencesPerTick = 64;

    DecodeTick(ReceiveBuffer& buffer, NavState& nav) : buffer_(buffer), nav_(nav) {}

    int Run(DecodeListener& listener);

    // End of input: frames and decodes every whole sentence still buffered,
    // however few bytes remain.
    int Drain(DecodeListener& listener);

    const SentenceBuffer& Sentence() const { return sentence_; }

private:
    bool FrameAndDecode(DecodeListener& listener, bool& ranEmpty);

    ReceiveBuffer& buffer_;
    NavState& nav_;
    SentenceBuffer sentence_;
};
