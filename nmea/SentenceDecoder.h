#pragma once

#include "DecodeListener.h"
#include "NavState.h"
#include "SentenceBuffer.h"

// Decodes the framed sentence into `nav` and tells `listener` what to show.
// Only the "GP" talker's GSV, GGA, GSA and RMC carry values into `nav` (the GSA
// dilutions excepted, which are read from a GSA of any talker); VTG and GLL are
// shown only. No checksum or validity flag gates an update.
void DecodeSentence(const SentenceBuffer& sentence, NavState& nav, DecodeListener& listener);

// Which sentence the text is, from its characters 3 to 5 (the talker is not examined).
SentenceType SentenceTypeOf(const char* text);

// The Message View row (1..8) that shows a sentence of `type`, GSV by its message number
// (1..3); 0 for a sentence no row shows.
int MessageRowOf(SentenceType type, int gsvMessageNumber);

// ddmm.mmmm (or dddmm.mmmm) to degrees, computed in single precision step by step.
float DegreesFromDegreesMinutes(float value);
