#include "DecodeTick.h"

#include "FrameSentence.h"
#include "SentenceDecoder.h"

bool DecodeTick::FrameAndDecode(DecodeListener& listener, bool& ranEmpty) {
    sentence_.Clear();
    const FrameResult result = FrameSentence(buffer_, sentence_);
    ranEmpty = result == FrameResult::RanEmpty;
    if (result != FrameResult::Framed) {
        return false;
    }
    listener.SentenceFramed(sentence_.Text());
    if (decoder_) {
        decoder_(sentence_, nav_, listener);
    } else {
        DecodeSentence(sentence_, nav_, listener);
    }
    return true;
}

int DecodeTick::Run(DecodeListener& listener) {
    sentence_.Clear();
    int decoded = 0;
    for (int attempt = 0; attempt < kMaxSentencesPerTick; ++attempt) {
        if (buffer_.Count() < kFrameThreshold) {
            break;
        }
        if (attempt > 0 && !HoldsCompleteSentence(buffer_)) {
            break;
        }
        bool ranEmpty = false;
        if (FrameAndDecode(listener, ranEmpty)) {
            ++decoded;
        } else if (ranEmpty) {
            break;
        }
    }
    return decoded;
}

int DecodeTick::Drain(DecodeListener& listener) {
    int decoded = 0;
    while (HoldsCompleteSentence(buffer_)) {
        bool ranEmpty = false;
        if (FrameAndDecode(listener, ranEmpty)) {
            ++decoded;
        }
    }
    return decoded;
}
