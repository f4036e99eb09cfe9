#pragma once

#include "NavState.h"
#include "SentenceType.h"

// What the intake reports while it frames and decodes, so that windows can follow
// without the decoder knowing them. Calls come in this order for one sentence:
// SentenceFramed, ShowMessageRow (before the parse), ShowMeasuredValues (after it),
// ShowSatelliteRows (GSV, after its slots are stored), SentenceDecoded.
class DecodeListener {
public:
    virtual ~DecodeListener() = default;

    // A sentence was framed; `text` is its text after "$" through the line feed.
    virtual void SentenceFramed(const char* text) { (void)text; }

    // Message View row 1..8 (GSV 1..3, GGA, GSA, RMC, VTG, GLL) is to show `text`.
    virtual void ShowMessageRow(int row, const char* text) {
        (void)row;
        (void)text;
    }

    // The values of a GSV (satellites in view only), GGA, GSA or RMC sentence are in `nav`.
    virtual void ShowMeasuredValues(SentenceType type, const NavState& nav) {
        (void)type;
        (void)nav;
    }

    // The slots of GSV message `messageNumber` of `messageCount` have been stored.
    virtual void ShowSatelliteRows(int messageNumber, int messageCount, const NavState& nav) {
        (void)messageNumber;
        (void)messageCount;
        (void)nav;
    }

    // The decoder has finished with the sentence.
    virtual void SentenceDecoded(const char* text, const NavState& nav) {
        (void)text;
        (void)nav;
    }
};
