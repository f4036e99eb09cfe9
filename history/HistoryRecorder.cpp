#include "HistoryRecorder.h"

#include <cstdio>

#include "SignalTable.h"
#include "SystemCounts.h"

namespace {

// RINEX's letters: G GPS, S SBAS, R GLONASS, E Galileo, C BeiDou, J QZSS, I NavIC.
constexpr char kSystemLetters[kGnssSystemCount] = {'G', 'S', 'R', 'E', 'C', 'J', 'I'};

}  // namespace

void HistoryRecorder::SourceStarted() {
    signalTime_.Reset();
    fixes_.SourceStarted();
}

void HistoryRecorder::Sentence(std::string_view text) {
    fixes_.Sentence(text);
}

void HistoryRecorder::Epoch(const GnssEpoch& epoch) {
    if (!epoch.time) {
        return;  // no time to put it at
    }
    const double time = signalTime_.Continuous(epoch.time->millisecondOfDay / 1000.0);
    int inView = 0;
    for (const SystemCount& count : CountBySystem(epoch)) {
        inView += count.inView;
    }
    signals_.SetInView(time, inView);
    signals_.SetUsed(time, epoch.used);
    signals_.SetDilutions(time, epoch.pdop, epoch.hdop, epoch.vdop);
    for (const SatelliteSignal& signal : epoch.satellites) {
        if (signal.cno && *signal.cno > 0) {
            signals_.AddCarrierToNoise(time, Key(signal), Name(signal), *signal.cno);
        }
    }
}

std::uint32_t HistoryRecorder::Key(const SatelliteSignal& signal) {
    return static_cast<std::uint32_t>(signal.id.system) << 16 |
           static_cast<std::uint32_t>(signal.id.svid) << 5 |
           static_cast<std::uint32_t>(signal.signalId + 1);
}

std::string HistoryRecorder::Name(const SatelliteSignal& signal) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d",
                  kSystemLetters[static_cast<std::size_t>(signal.id.system)], signal.id.svid);
    std::string text = name;
    if (const char* signalName = SignalName(signal.id.system, signal.signalId)) {
        text += std::string(" ") + signalName;
    }
    return text;
}
