#include "ViewFeed.h"

#include "SentenceLog.h"
#include "TLevel.h"
#include "TParameter.h"
#include "TSource.h"

bool ViewFeed::TakeLogWritten() {
    const bool written = logWritten_;
    logWritten_ = false;
    return written;
}

void ViewFeed::SentenceFramed(const char* text) {
    if (onFramed) {
        onFramed(text);
    }
    if (state_.loggingEnabled == 1 && log_.Write(text)) {
        logWritten_ = true;
    }
}

void ViewFeed::ShowMessageRow(int row, const char* text) {
    if (state_.messageViewOpen == 1 && windows_.Source) {
        windows_.Source->ShowMessageRow(row, text);
    }
}

void ViewFeed::ShowMeasuredValues(SentenceType type, const NavState& nav) {
    if (state_.measuredViewOpen == 1 && windows_.Parameter) {
        windows_.Parameter->ShowMeasuredValues(type, nav);
    }
}

void ViewFeed::ShowSatelliteRows(int messageNumber, int messageCount, const NavState& nav) {
    if (state_.signalLevelViewOpen == 1 && windows_.Level) {
        windows_.Level->ShowSatelliteRows(messageNumber, messageCount, nav);
    }
}

void ViewFeed::SentenceDecoded(const char* text, const NavState& nav) {
    if (observer_ != nullptr) {
        observer_->SentenceDecoded(text, nav);
    }
}
