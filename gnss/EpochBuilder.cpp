#include "EpochBuilder.h"

#include <algorithm>

#include "SatelliteNumbering.h"

namespace {

template <typename T>
void Keep(std::optional<T>& target, const std::optional<T>& value) {
    if (value) {
        target = value;
    }
}

template <typename T>
void FillIn(std::optional<T>& target, const std::optional<T>& value) {
    if (!target) {
        target = value;
    }
}

unsigned BitOf(GnssSentence sentence) {
    return 1u << static_cast<unsigned>(sentence);
}

bool StartsEpochs(GnssSentence sentence) {
    return sentence == GnssSentence::Gga || sentence == GnssSentence::Rmc ||
           sentence == GnssSentence::Gns;
}

}  // namespace

bool EpochBuilder::IsNewEpoch(GnssSentence sentence, const std::optional<UtcTime>& time) const {
    if (!StartsEpochs(sentence)) {
        return false;
    }
    if (time) {
        return time_.has_value() && *time_ != *time;
    }
    return (startersHeld_ & BitOf(sentence)) != 0;
}

void EpochBuilder::AddFix(GnssSentence sentence, const FixReport& report) {
    empty_ = false;
    if (StartsEpochs(sentence)) {
        startersHeld_ |= BitOf(sentence);
    }
    if (sentence == GnssSentence::Gll && report.time && time_ && *report.time != *time_) {
        return;  // GLL does not start epochs: one from another second says nothing of this one
    }
    if (sentence != GnssSentence::Gll && !time_) {
        time_ = report.time;
    }
    anyValid_ = anyValid_ || report.status == PositionStatus::Valid;
    anyInvalid_ = anyInvalid_ || report.status == PositionStatus::Invalid;
    if (report.status != PositionStatus::Invalid && report.latitude) {
        latitude_ = report.latitude;
        longitude_ = report.longitude;
    }
    Keep(date_, report.date);
    Keep(altitude_, report.altitude);
    Keep(speedKnots_, report.speedKnots);
    Keep(courseDeg_, report.courseDeg);
    Keep(hdop_, report.hdop);
    Keep(satellitesUsed_, report.satellitesUsed);
}

void EpochBuilder::AddGsa(Talker talker, const GsaReport& report) {
    empty_ = false;
    sawGsa_ = true;
    if (report.fixMode) {
        gsaFixMode_ = std::max(gsaFixMode_, *report.fixMode);
    }
    Keep(pdop_, report.pdop);
    Keep(hdop_, report.hdop);
    Keep(vdop_, report.vdop);
    std::optional<SatelliteNumbering::Scheme> scheme;
    if (report.systemId) {
        scheme = SatelliteNumbering::ForSystemId(*report.systemId);
    }
    if (!scheme) {
        // Without a system ID a GN GSA is read by the number ranges.
        scheme = SatelliteNumbering::ForTalker(talker);
    }
    for (int i = 0; i < report.satelliteCount; ++i) {
        const std::optional<SatelliteId> id =
            SatelliteNumbering::Identify(*scheme, report.satellites[static_cast<std::size_t>(i)]);
        if (!id) {
            continue;
        }
        const auto at = std::lower_bound(used_.begin(), used_.end(), *id);
        if (at == used_.end() || *at != *id) {
            used_.insert(at, *id);
        }
    }
}

GnssEpoch EpochBuilder::Build() const {
    GnssEpoch epoch;
    epoch.time = time_;
    epoch.date = date_;
    // One sentence saying there is no fix outweighs the others: receivers disagree only
    // while a fix is being lost or is simulated.
    if (HasPosition()) {
        epoch.fix = FixMode(altitude_.has_value());
        epoch.latitude = latitude_;
        epoch.longitude = longitude_;
        epoch.altitude = altitude_;
        epoch.speedKnots = speedKnots_;
        epoch.courseDeg = courseDeg_;
    }
    epoch.pdop = pdop_;
    epoch.hdop = hdop_;
    epoch.vdop = vdop_;
    epoch.usedSatellites = used_;
    epoch.used = sawGsa_ ? static_cast<int>(used_.size()) : satellitesUsed_.value_or(0);
    return epoch;
}

int EpochBuilder::FixMode(bool withAltitude) const {
    if (gsaFixMode_ == 2 || gsaFixMode_ == 3) {
        return gsaFixMode_;
    }
    return withAltitude ? 3 : 2;
}

GnssEpoch EpochBuilder::BuildOver(const GnssEpoch& earlier) const {
    GnssEpoch epoch = Build();
    FillIn(epoch.time, earlier.time);
    FillIn(epoch.date, earlier.date);
    if (epoch.fix == 0 && !anyInvalid_) {
        epoch.fix = earlier.fix;
        epoch.latitude = earlier.latitude;
        epoch.longitude = earlier.longitude;
    }
    if (epoch.fix != 0) {
        FillIn(epoch.altitude, earlier.altitude);
        FillIn(epoch.speedKnots, earlier.speedKnots);
        FillIn(epoch.courseDeg, earlier.courseDeg);
        if (HasPosition()) {
            epoch.fix = FixMode(epoch.altitude.has_value());
        }
    }
    FillIn(epoch.pdop, earlier.pdop);
    FillIn(epoch.hdop, earlier.hdop);
    FillIn(epoch.vdop, earlier.vdop);
    if (!sawGsa_) {
        epoch.used = earlier.used;
        epoch.usedSatellites = earlier.usedSatellites;
    }
    return epoch;
}
