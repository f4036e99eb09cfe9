#pragma once

#include <QString>

#include "AppState.h"

// What the error dialog says under "File Open Error!!!" when the sentence log cannot be
// opened, so that the user learns why and what the program did about it.

// The playback file was chosen as the log: the name is dropped for the default one, which
// the log dialog then shows; returns what the user is told.
QString RefusePlaybackFileAsLog(AppState& state);

// The log could not be opened for appending; `error` is the errno of the attempt.
QString LogOpenFailureReason(int error);
