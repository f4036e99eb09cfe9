#pragma once
// The simulated receiver: a clock, a vehicle on its track, the sky above it, the error of
// its fixes, the sentence settings and the state of acquisition since the last (re)start.

#include <cstdint>
#include <string>
#include <vector>

#include "Command.h"
#include "EpochData.h"
#include "GpsClock.h"
#include "NmeaFormat.h"
#include "PositionError.h"
#include "SentenceConfig.h"
#include "SkyModel.h"
#include "Track.h"

namespace kelmsim {

struct ReceiverSettings {
    GeoPosition start{24.1233321, 121.43323, 50.0};
    double speed = 5.0;  // metres per second
    int rateHz = 1;      // sentence groups per second, 1 to 10
    std::uint64_t seed = 1;
    GpsClock startTime;
    ResetMode startMode = ResetMode::Warm;
    bool gll = false;      // switch GLL on from the start
    bool vtg = false;      // switch VTG on from the start
    NmeaFormat format;     // the systems tracked and how they are written
    double scatter = 1.5;  // metres: standard deviation of north and of east; of up twice it
};

class ReceiverModel {
public:
    explicit ReceiverModel(const ReceiverSettings& settings);

    // Data of the current epoch, without advancing.
    EpochData epochData() const;
    // Framed sentences of the current epoch, in the order GGA, GLL, GSA, GSV, RMC, VTG, then
    // the clock and the vehicle move on by one output period.
    std::vector<std::string> nextEpoch();

    void apply(const Command& command);
    void apply(const RateCommand& command);
    void apply(const ResetCommand& command);

    const GpsClock& clock() const { return clock_; }
    const SentenceConfig& config() const { return config_; }
    const Track& track() const { return track_; }
    std::int64_t periodMillis() const { return periodMillis_; }

private:
    void restart(ResetMode mode);
    double secondsSinceRestart() const;
    // What the receiver lists: the highest satellites above its mask, as many as it has
    // channels; none while a cold start still searches.
    std::vector<SatelliteGeometry> listedSky(double sinceRestart) const;
    bool tracked(const SatelliteGeometry& satellite, double sinceRestart) const;
    int carrierToNoise(const SatelliteGeometry& satellite) const;
    GeoPosition reportedPosition() const;

    std::uint64_t seed_;
    std::int64_t periodMillis_;
    GpsClock clock_;
    Track track_;
    SkyModel sky_;
    PositionError error_;
    SentenceConfig config_;
    NmeaFormat format_;
    ResetMode mode_;
    GpsClock restartTime_;
    std::uint64_t restartCount_ = 0;
    double noFixSeconds_;  // since the last (re)start, drawn for its mode and count
    int channels_ = 12;
};

}  // namespace kelmsim
