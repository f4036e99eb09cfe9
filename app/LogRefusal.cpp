#include "LogRefusal.h"

#include <cstring>

QString RefusePlaybackFileAsLog(AppState& state) {
    const AppState defaults;
    std::memcpy(state.logFileName, defaults.logFileName, sizeof state.logFileName);
    return "It is the file being played back, so it cannot be the log as well. Logging is off.";
}

QString LogOpenFailureReason(int error) {
    return QString("The log cannot be written: %1. Logging is off.")
        .arg(QString::fromLocal8Bit(std::strerror(error)));
}
