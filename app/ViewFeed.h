#pragma once

#include <functional>

#include "AppState.h"
#include "DecodeListener.h"
#include "ProgramWindows.h"

class SentenceLog;

// Carries what the decode tick reports to the sentence log and to the views that
// are open.
class ViewFeed : public DecodeListener {
public:
    ViewFeed(AppState& state, ProgramWindows& windows, SentenceLog& log)
        : state_(state), windows_(windows), log_(log) {}

    // `observer` hears of every decoded sentence too (null: none).
    void SetObserver(DecodeListener* observer) { observer_ = observer; }
    // Told of every framed sentence (the line monitor reads the satellites used).
    std::function<void(const char* text)> onFramed;

    // True when a record was written since the last call.
    bool TakeLogWritten();

    void SentenceFramed(const char* text) override;
    void ShowMessageRow(int row, const char* text) override;
    void ShowMeasuredValues(SentenceType type, const NavState& nav) override;
    void ShowSatelliteRows(int messageNumber, int messageCount, const NavState& nav) override;
    void SentenceDecoded(const char* text, const NavState& nav) override;

private:
    AppState& state_;
    ProgramWindows& windows_;
    SentenceLog& log_;
    bool logWritten_ = false;
    DecodeListener* observer_ = nullptr;
};
