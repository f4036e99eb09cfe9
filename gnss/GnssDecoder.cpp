#include "GnssDecoder.h"

#include <algorithm>

#include "FixSentences.h"
#include "GsaSentence.h"
#include "GsvSentence.h"
#include "SentenceFields.h"

bool GnssDecoder::Decode(std::string_view sentence) {
    const SentenceFields fields(sentence);
    const std::optional<SentenceAddress> address = SentenceAddress::Parse(fields[0]);
    if (!address) {
        return false;
    }
    bool completed = false;
    switch (address->sentence) {
        case GnssSentence::Gsa:
            builder_.AddGsa(address->talker, ParseGsa(fields));
            break;
        case GnssSentence::Gsv:
            if (const std::optional<GsvMessage> message = ParseGsv(fields)) {
                if (const GsvGroup* group = groups_.Add(address->talker, *message)) {
                    table_.Replace(*group, epoch_);
                }
            }
            builder_.AddOther();
            break;
        case GnssSentence::Gga:
        case GnssSentence::Rmc:
        case GnssSentence::Gns:
        case GnssSentence::Gll:
        case GnssSentence::Vtg: {
            const FixReport report = ParseFixSentence(address->sentence, fields);
            if (builder_.IsNewEpoch(address->sentence, report.time)) {
                CompleteEpoch();
                completed = true;
            }
            builder_.AddFix(address->sentence, report);
            break;
        }
    }
    return completed;
}

bool GnssDecoder::Finish() {
    if (builder_.Empty()) {
        return false;
    }
    CompleteEpoch();
    return true;
}

void GnssDecoder::CompleteEpoch() {
    GnssEpoch epoch = builder_.Build();
    table_.EndEpoch(epoch_, epoch.time);
    FillSatellites(epoch);
    last_ = std::move(epoch);
    builder_.Clear();
    ++epoch_;
}

void GnssDecoder::FillSatellites(GnssEpoch& epoch) const {
    epoch.satellites.clear();
    epoch.satellites.reserve(table_.Entries().size());
    for (const SatelliteTable::Entry& entry : table_.Entries()) {
        SatelliteSignal signal = entry.signal;
        // A GSA names satellites, not signals: a signal not tracked is not used.
        signal.used =
            signal.cno.value_or(0) > 0 &&
            std::binary_search(epoch.usedSatellites.begin(), epoch.usedSatellites.end(), signal.id);
        epoch.satellites.push_back(signal);
    }
}

GnssEpoch GnssDecoder::Current() const {
    GnssEpoch current = builder_.BuildOver(last_);
    FillSatellites(current);
    return current;
}
