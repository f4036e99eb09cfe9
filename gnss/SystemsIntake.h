#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "DecodeListener.h"
#include "GnssDecoder.h"
#include "NavState.h"
#include "SentenceBuffer.h"

// Which sentences the program shows: the GPS talker's alone, as the receiver it was made
// for sends them, or those of every satellite system.
enum class SatelliteSystems { GpsOnly, All };

// The decoding step of the intake in either mode. In "GPS only" the program's own decoder
// keeps the navigation record, and the satellite decoder sees the GP sentences only (for
// the Satellites view). In "All" the satellite decoder reads every talker, and the record is
// kept from it as the views read it: the combined fix with hemisphere letters, the twelve
// strongest satellites in the channel slots; the listener hears the same calls, in the same
// order, as the program's own decoder makes.
class SystemsIntake {
public:
    // Starts afresh in `systems` mode.
    void SetSystems(SatelliteSystems systems);
    SatelliteSystems Systems() const { return systems_; }

    // Forgets the satellites and the epoch in progress (a new source).
    void Reset() { gnss_ = GnssDecoder(); }

    void Decode(const SentenceBuffer& sentence, NavState& nav, DecodeListener& listener);

    // The end of the input (a log played to its end): completes the epoch in progress, which
    // no next sentence will.
    void Finish();

    const GnssDecoder& Gnss() const { return gnss_; }

    // Told of each epoch the satellite decoder completes, in either mode (null: nobody).
    std::function<void(const GnssEpoch&)> onEpoch;

    // The twelve strongest satellites in view into the channel slots (untracked ones after
    // the tracked, higher first), the number in view into `satsInView`; returns how many
    // slots hold one.
    static int FillChannels(const SatelliteTable& satellites, NavState& nav);

private:
    void Feed(std::string_view text);
    void DecodeAll(const char* text, NavState& nav, DecodeListener& listener);
    void ShowSatellites(std::string_view text, NavState& nav, DecodeListener& listener);

    SatelliteSystems systems_ = SatelliteSystems::GpsOnly;
    GnssDecoder gnss_;
};
