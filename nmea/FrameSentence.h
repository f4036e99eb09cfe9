#pragma once

#include "ReceiveBuffer.h"
#include "SentenceBuffer.h"

enum class FrameResult {
    Framed,    // a whole sentence is in the SentenceBuffer
    RanEmpty,  // the buffer ran empty before a line feed: the partial sentence is gone
    Overlong,  // the line did not fit the SentenceBuffer and was discarded
};

// Takes at most one sentence out of the ring: hunts for "$", then copies the bytes
// after it up to and including the line feed into `sentence` (which the caller has
// zeroed). A sentence cut by bytes the full ring dropped is discarded, and the hunt
// goes on from the first byte after the gap; a "$" before the line feed (a line cut
// short on the wire) starts the sentence anew. So two sentences are never joined.
FrameResult FrameSentence(ReceiveBuffer& buffer, SentenceBuffer& sentence);

// True when the ring holds a "$" followed later by a line feed.
bool HoldsCompleteSentence(const ReceiveBuffer& buffer);
