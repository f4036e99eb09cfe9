#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

// The application-wide settings and run flags shared by the windows and dialogs.
// Plain data: every field is read and written on the user-interface thread only.
struct AppState {
    static constexpr int kLogFileNameSize = 300;  // bytes, including the terminating zero

    std::int32_t portNumber = 0;  // 1..4 for "COM1".."COM4"; 0 when none is configured

    std::int32_t measuredViewOpen = 1;
    std::int32_t signalLevelViewOpen = 1;
    std::int32_t messageViewOpen = 1;
    std::int32_t mapViewOpen = 1;
    std::int32_t trackingViewOpen = 1;

    std::int32_t mapPointCount = 0;
    std::int32_t mapZoomIndex = 1;
    std::array<float, 6> mapScale{50.0f, 100.0f, 500.0f, 1000.0f, 5000.0f, 10000.0f};

    char logFileName[kLogFileNameSize] = "pelzogps.log";
    std::int32_t loggingEnabled = 0;

    float velocityScale = 4.0f;

    std::int32_t playbackActive = 0;
    std::int32_t logFileOpen = 0;
    std::int32_t resetMode = 4;
    std::int32_t mapCentreSet = 0;

    // The playback file being read. The sentence log keeps a stream of its own, so
    // that logging during playback does not take the playback file away.
    std::FILE* dataFile = nullptr;
};
