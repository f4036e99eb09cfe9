#include "LogRefusal.h"

#include <cstring>

QString RefusePlaybackFileAsLog(AppState& state) {
    const AppState defaults;
    std::memcpy(state.logFileName, defaults.logFileName, sizeof state.logFileName);
    return QString(
               "That file is being played back, so it cannot be the log. Logging is off; "
               "the log name is %1 again.")
        .arg(QString::fromUtf8(defaults.logFileName));
}

QString LogOpenFailureReason(int error) {
    return QString("The log cannot be written: %1. Logging is off.")
        .arg(QString::fromLocal8Bit(std::strerror(error)));
}
