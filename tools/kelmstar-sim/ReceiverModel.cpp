#include "ReceiverModel.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

#include "NmeaText.h"
#include "SentenceGenerator.h"
#include "SimRandom.h"

namespace kelmsim {

namespace {

// A GPS receiver lists every satellite above the horizon; a multi-GNSS one, with three
// times as many to choose from, those above a few degrees.
constexpr double kGpsMaskDegrees = 0.0;
constexpr double kMultiGnssMaskDegrees = 5.0;
// Satellites this low are listed but their signal is too weak to track.
constexpr double kTrackingMaskDegrees = 10.0;
constexpr std::size_t kMaxChannels = 12;
// Satellites a multi-GNSS receiver follows at once; it lists the highest of those in view.
constexpr std::size_t kMultiGnssChannels = 40;
constexpr double kMetresPerSecondToKnots = 1.0 / 0.514444;
// After a cold start the receiver knows no almanac and lists no satellites for this share of
// the no-fix time.
constexpr double kColdSearchShare = 0.3;
// How long the error of a fix keeps its direction: a real receiver's position wanders over
// tens of seconds.
constexpr double kErrorCorrelationSeconds = 30.0;
constexpr double kEarthRadius = 6371000.0;
constexpr double kDegToRad = std::numbers::pi / 180.0;

// Keys the per-satellite draws: the numbers of different systems overlap.
std::uint64_t satelliteKey(const SatelliteGeometry& s) {
    return static_cast<std::uint64_t>(s.prn) + 1000 * static_cast<std::uint64_t>(s.system);
}

// The satellites of one system, by number.
std::vector<SatelliteGeometry> ofSystem(const std::vector<SatelliteGeometry>& sky,
                                        GnssSystem system) {
    std::vector<SatelliteGeometry> out;
    std::copy_if(sky.begin(), sky.end(), std::back_inserter(out),
                 [system](const auto& g) { return g.system == system; });
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.prn < b.prn; });
    return out;
}

// Whole seconds without a fix after a start of the mode, drawn for the restart numbered
// `count`: hot 1 to 3, warm 8 to 15, cold 30 to 45, each as likely.
double drawNoFixSeconds(ResetMode mode, std::uint64_t seed, std::uint64_t count) {
    SimRandom draw(SimRandom::mix(seed ^ 0x7f1e57a27ULL, count));
    const auto between = [&draw](int low, int high) {
        return static_cast<double>(low + static_cast<int>(draw.below(high - low + 1)));
    };
    switch (mode) {
        case ResetMode::Hot:
            return between(1, 3);
        case ResetMode::Warm:
            return between(8, 15);
        case ResetMode::Cold:
            return between(30, 45);
    }
    return 0.0;
}

}  // namespace

ReceiverModel::ReceiverModel(const ReceiverSettings& s)
    : seed_(s.seed),
      periodMillis_(1000 / std::clamp(s.rateHz, 1, 10)),
      clock_(s.startTime),
      track_(s.start, s.speed, s.seed),
      sky_(s.seed, s.format.systems),
      error_(SimRandom::mix(s.seed, 0xe7707), s.scatter, 2.0 * s.scatter, kErrorCorrelationSeconds),
      format_(s.format),
      mode_(s.startMode),
      restartTime_(s.startTime),
      noFixSeconds_(drawNoFixSeconds(s.startMode, s.seed, 0)) {
    if (s.gll) {
        config_.set(OutputSentence::GLL, {1, true});
    }
    if (s.vtg) {
        config_.set(OutputSentence::VTG, {1, true});
    }
}

double ReceiverModel::secondsSinceRestart() const {
    return static_cast<double>(clock_.millis() - restartTime_.millis()) / 1000.0;
}

bool ReceiverModel::tracked(const SatelliteGeometry& satellite, double sinceRestart) const {
    if (satellite.elevation < kTrackingMaskDegrees) {
        return false;
    }
    // Each satellite is acquired at its own moment within the no-fix time.
    const double share =
        static_cast<double>(SimRandom::mix(seed_ + restartCount_, satelliteKey(satellite)) % 1000) /
        1000.0;
    const double window = noFixSeconds_;
    const double acquiredAt = mode_ == ResetMode::Cold
                                  ? window * (kColdSearchShare + share * (0.95 - kColdSearchShare))
                                  : window * share * 0.95;
    return sinceRestart >= acquiredAt;
}

int ReceiverModel::carrierToNoise(const SatelliteGeometry& satellite) const {
    // Stronger overhead than near the horizon; each signal drifts a few dB over minutes (two
    // slow waves of its own) and flickers a little from epoch to epoch.
    const double t = static_cast<double>(clock_.millis()) / 1000.0;
    SimRandom waves(SimRandom::mix(seed_ ^ 0xc0da5ULL, satelliteKey(satellite)));
    const double slow = waves.between(180.0, 600.0);
    const double slowPhase = waves.between(0.0, 2.0 * std::numbers::pi);
    const double faster = waves.between(60.0, 180.0);
    const double fasterPhase = waves.between(0.0, 2.0 * std::numbers::pi);
    const double drift = 2.0 * std::sin(2.0 * std::numbers::pi * t / slow + slowPhase) +
                         1.0 * std::sin(2.0 * std::numbers::pi * t / faster + fasterPhase);
    SimRandom flicker(SimRandom::mix(seed_ ^ static_cast<std::uint64_t>(clock_.millis()),
                                     satelliteKey(satellite)));
    const double cno = 30.0 + 18.0 * std::sin(satellite.elevation * kDegToRad) + drift +
                       flicker.between(-1.0, 1.0);
    return std::clamp(static_cast<int>(std::lround(cno)), 20, 52);
}

EpochData ReceiverModel::epochData() const {
    EpochData e;
    e.time = clock_.utc();
    const double since = secondsSinceRestart();
    const GeoPosition& place = track_.position();

    const std::vector<SatelliteGeometry> sky = listedSky(since);
    std::vector<SatelliteGeometry> used;
    for (GnssSystem system : format_.systems) {
        int usedOfSystem = 0;
        for (const SatelliteGeometry& g : ofSystem(sky, system)) {
            SatelliteReport r{g.prn, static_cast<int>(std::lround(g.elevation)),
                              static_cast<int>(std::lround(g.azimuth)) % 360, std::nullopt, system};
            if (usedOfSystem < channels_ && tracked(g, since)) {
                r.cno = carrierToNoise(g);
                used.push_back(g);
                ++usedOfSystem;
            }
            e.inView.push_back(r);
        }
    }

    const auto dops = SkyModel::dops(used);
    if (since >= noFixSeconds_ && dops) {
        e.fixMode = 3;
        e.dops = *dops;
        for (const auto& g : used) {
            e.usedPrns.emplace_back(g.prn, g.system);
        }
        e.position = reportedPosition();
        // A smooth made-up geoid so that the separation differs from place to place.
        e.geoidSeparation = 20.0 * std::cos(2.0 * place.latitude * std::numbers::pi / 180.0) +
                            10.0 * std::sin(place.longitude * std::numbers::pi / 180.0);
        e.speedKnots = track_.speed() * kMetresPerSecondToKnots;
        // Rounded here so that 359.97 degrees is reported as 0.0, never as 360.0.
        e.course = std::fmod(std::round(track_.course() * 10.0) / 10.0, 360.0);
    }
    return e;
}

std::vector<SatelliteGeometry> ReceiverModel::listedSky(double sinceRestart) const {
    if (mode_ == ResetMode::Cold && sinceRestart < noFixSeconds_ * kColdSearchShare) {
        return {};
    }
    std::vector<SatelliteGeometry> sky =
        sky_.visible(static_cast<double>(clock_.millis()) / 1000.0, track_.position(),
                     format_.gpsOnly() ? kGpsMaskDegrees : kMultiGnssMaskDegrees);
    sky.resize(std::min(sky.size(), format_.gpsOnly() ? kMaxChannels : kMultiGnssChannels));
    return sky;
}

std::vector<std::string> ReceiverModel::nextEpoch() {
    const EpochData e = epochData();
    const std::int64_t epochIndex = clock_.millis() / periodMillis_;
    std::vector<std::string> out;
    for (int i = 0; i < kOutputSentenceCount; ++i) {
        const auto type = static_cast<OutputSentence>(i);
        if (!config_.due(type, epochIndex)) {
            continue;
        }
        for (const std::string& payload : SentenceGenerator::payloads(type, e, format_)) {
            out.push_back(frameSentence(payload, config_.setting(type).withChecksum));
        }
    }
    clock_.advance(periodMillis_);
    track_.advance(static_cast<double>(periodMillis_) / 1000.0);
    error_.advance(static_cast<double>(periodMillis_) / 1000.0);
    return out;
}

GeoPosition ReceiverModel::reportedPosition() const {
    GeoPosition p = track_.position();
    p.latitude = std::clamp(p.latitude + error_.north() / kEarthRadius / kDegToRad, -90.0, 90.0);
    const double cosLat = std::max(std::cos(p.latitude * kDegToRad), 1e-6);
    p.longitude += error_.east() / (kEarthRadius * cosLat) / kDegToRad;
    if (p.longitude >= 180.0) {
        p.longitude -= 360.0;
    } else if (p.longitude < -180.0) {
        p.longitude += 360.0;
    }
    p.altitude += error_.up();
    return p;
}

void ReceiverModel::apply(const Command& command) {
    std::visit([this](const auto& c) { apply(c); }, command);
}

void ReceiverModel::apply(const RateCommand& c) {
    config_.set(c.sentence, {c.interval, c.withChecksum});
}

void ReceiverModel::apply(const ResetCommand& c) {
    track_.moveTo({c.latitude, c.longitude, c.altitude});
    clock_ = GpsClock::fromWeek(c.week, c.timeOfWeek);
    channels_ = std::clamp(c.channels, 1, static_cast<int>(kMaxChannels));
    restart(c.mode);
}

void ReceiverModel::restart(ResetMode mode) {
    mode_ = mode;
    restartTime_ = clock_;
    ++restartCount_;
    noFixSeconds_ = drawNoFixSeconds(mode, seed_, restartCount_);
}

}  // namespace kelmsim
