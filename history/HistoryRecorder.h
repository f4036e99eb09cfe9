#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "DayTimeUnwrapper.h"
#include "FixIntake.h"
#include "GnssEpoch.h"
#include "PositionStatistics.h"
#include "SignalHistory.h"

// What the history windows show, gathered as the intake decodes, whether or not a window is
// open (opening one shows what came before): the signal history from each epoch of the
// satellite decoder, the position statistics from each GGA fix of the talkers counted.
class HistoryRecorder {
public:
    // Which talkers' GGA fixes count: "GP" only, or any talker with every satellite system.
    void SetTalkers(TalkerFilter filter) { fixes_.SetTalkers(filter); }

    // A new source: its times count from its own first day, so that a log played again from
    // its start goes back in time (and the signal history starts anew) even past midnight.
    void SourceStarted();

    // A framed sentence (its text after "$").
    void Sentence(std::string_view text);
    // A completed epoch: satellites in view and used, the dilutions, each signal's C/N0.
    void Epoch(const GnssEpoch& epoch);

    SignalHistory& Signals() { return signals_; }
    const SignalHistory& Signals() const { return signals_; }
    PositionStatistics& Positions() { return positions_; }
    const PositionStatistics& Positions() const { return positions_; }

    // A signal's key in the history: system, number and signal in 32 bits.
    static std::uint32_t Key(const SatelliteSignal& signal);
    // Its name in a legend: the RINEX letter of the system and the number ("G05", "R12",
    // "E07", "C23"), then the signal when the receiver names it ("G05 L2 CL").
    static std::string Name(const SatelliteSignal& signal);

private:
    SignalHistory signals_;
    PositionStatistics positions_;
    FixIntake fixes_{positions_, TalkerFilter::GpsOnly};
    DayTimeUnwrapper signalTime_;
};
