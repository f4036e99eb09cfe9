#pragma once

#include <optional>
#include <vector>

#include "FixSentences.h"
#include "GnssEpoch.h"
#include "GsaSentence.h"
#include "SentenceAddress.h"

// Gathers what the sentences of one epoch say about the fix and the satellites used. A
// value given twice keeps the later one; the satellites used are every GSA's together.
class EpochBuilder {
public:
    // Whether this sentence starts another epoch: a GGA, RMC or GNS whose time differs from
    // the epoch's, or, when it has none (before the receiver knows the time), one of a type
    // the epoch already holds. GLL and VTG never do.
    bool IsNewEpoch(GnssSentence sentence, const std::optional<UtcTime>& time) const;

    void AddFix(GnssSentence sentence, const FixReport& report);
    void AddGsa(Talker talker, const GsaReport& report);
    // A sentence that adds nothing here (a GSV) still belongs to the epoch.
    void AddOther() { empty_ = false; }

    bool Empty() const { return empty_; }
    // The epoch so far, without its satellites in view.
    GnssEpoch Build() const;

    // The same, with what it has not said yet as `earlier` said it; a sentence saying there
    // is no fix clears the position all the same.
    GnssEpoch BuildOver(const GnssEpoch& earlier) const;

    void Clear() { *this = EpochBuilder(); }

private:
    bool HasPosition() const { return anyValid_ && !anyInvalid_ && latitude_.has_value(); }
    int FixMode(bool withAltitude) const;

    bool empty_ = true;
    unsigned startersHeld_ = 0;  // a bit per GnssSentence of the GGA, RMC and GNS so far
    std::optional<UtcTime> time_;
    std::optional<CalendarDate> date_;
    bool anyValid_ = false;
    bool anyInvalid_ = false;
    std::optional<double> latitude_;
    std::optional<double> longitude_;
    std::optional<double> altitude_;
    std::optional<double> speedKnots_;
    std::optional<double> courseDeg_;
    std::optional<double> pdop_;
    std::optional<double> hdop_;
    std::optional<double> vdop_;
    std::optional<int> satellitesUsed_;
    int gsaFixMode_ = 0;
    bool sawGsa_ = false;
    std::vector<SatelliteId> used_;  // sorted, each once
};
