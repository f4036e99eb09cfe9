#pragma once

#include <string_view>

#include "EpochBuilder.h"
#include "GnssEpoch.h"
#include "GsvGroupAssembler.h"
#include "SatelliteTable.h"

// Decodes the sentences of receivers of every satellite system (talkers GP, GL, GA, GB,
// BD, GQ, GI and GN; GGA, RMC, GNS, GSA, GSV, GLL and VTG) into epochs: the sentences up to
// a change of the UTC time in a GGA, RMC or GNS sentence (while the receiver sends no time,
// up to a second GGA, RMC or GNS of one type). Every other sentence is ignored. Checksums
// are not checked, as the intake's own decoder does not check them either.
class GnssDecoder {
public:
    // One framed sentence: its text after "$" (a "$" in front is allowed too), with or
    // without "*hh" and line end. True when it completed an epoch: the sentences before it
    // are then LastEpoch(), and this one begins the next.
    bool Decode(std::string_view sentence);

    // The end of the input: completes the epoch in progress. True when it held a sentence.
    bool Finish();

    // The epoch completed last (empty before the first).
    const GnssEpoch& LastEpoch() const { return last_; }

    // The newest of everything, for displays that refresh as sentences arrive: each value as
    // the epoch in progress has it so far, else as the last epoch had it; the satellites in
    // view as they are now.
    GnssEpoch Current() const;
    // The same without the satellites in view: what a display of the fix needs, at less cost.
    GnssEpoch CurrentFix() const { return builder_.BuildOver(last_); }

    // Every satellite and signal in view now, with where they came from.
    const SatelliteTable& Satellites() const { return table_; }

private:
    void CompleteEpoch();
    void FillSatellites(GnssEpoch& epoch) const;

    EpochBuilder builder_;
    GsvGroupAssembler groups_;
    SatelliteTable table_;
    GnssEpoch last_;
    long long epoch_ = 0;  // the number of the epoch in progress
};
