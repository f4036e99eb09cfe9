#include "LineStatus.h"

#include <cstdio>

#include "SentenceField.h"

std::string LineStatus::SourceText(const LineSource& source) {
    // A network source ("gpsd://host", "tcp://host:port") has no line settings.
    if (source.kind != LineSource::Kind::Serial) {
        return source.name;
    }
    static const char* const kStopBits[] = {"1", "1.5", "2"};
    const int stop =
        source.stopBitsOrdinal >= 0 && source.stopBitsOrdinal <= 2 ? source.stopBitsOrdinal : 0;
    char settings[48];
    std::snprintf(settings, sizeof settings, " %d %d%c%s", source.baudRate, source.dataBits,
                  source.parity, kStopBits[stop]);
    return source.name + settings;
}

std::string LineStatus::ClockText(double utcSeconds) {
    const int whole = static_cast<int>(utcSeconds);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", whole / 3600 % 24, whole / 60 % 60,
                  whole % 60);
    return text;
}

std::string LineStatus::StateText(const LineActivity& activity) {
    const bool network = activity.kind == LineSource::Kind::Network;
    switch (activity.phase) {
        case LinePhase::Stopped:
            return "Stopped";
        case LinePhase::Connecting:
            return kConnectingText;
        case LinePhase::Unplugged:
            return network ? kDisconnectedText : kUnpluggedText;
        case LinePhase::PlaybackFinished:
            return "Playback finished";
        case LinePhase::Paused:
            return activity.pausedUtc >= 0.0 ? "Paused at " + ClockText(activity.pausedUtc)
                                             : "Paused";
        case LinePhase::PausedViewClosed:
            return kViewClosedText;
        case LinePhase::NoPlaybackFile:
            return kChooseFileText;
        case LinePhase::Running:
            break;
    }
    if (activity.quietSeconds >= kQuietSeconds) {
        return "No data for " + std::to_string(activity.quietSeconds) + " s";
    }
    if (!activity.anyByte) {
        return "Waiting for data";
    }
    if (activity.noiseSeconds >= kNoiseSeconds) {
        return activity.kind == LineSource::Kind::Serial ? kNoiseText : kNoiseWithoutSpeedText;
    }
    return "Receiving";
}

std::string LineStatus::RateText(LinePhase phase, int sentencesPerSecond) {
    if (phase == LinePhase::Stopped || phase == LinePhase::Connecting ||
        phase == LinePhase::NoPlaybackFile) {
        return std::string();
    }
    return std::to_string(sentencesPerSecond) + " sentences/s";
}

std::string LineStatus::FixText(int fixMode, int fixAvailable, int satellites) {
    if (fixAvailable == 0 || (fixMode != 2 && fixMode != 3)) {
        return "No fix";
    }
    const std::string fix = std::to_string(fixMode) + "D fix";
    if (satellites < 0) {
        return fix;
    }
    return fix + ", " + std::to_string(satellites) +
           (satellites == 1 ? " satellite" : " satellites");
}

// GPGGA,091519.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,*47
//  1 time  2-5 position  6 quality  7 satellites used  ...
int LineStatus::GgaSatellitesUsed(std::string_view text) {
    if (text.size() < 6 || text.substr(2, 4) != "GGA,") {
        return -1;
    }
    const std::string_view used = SentenceField(text, 7);
    if (used.empty() || used.size() > 3 || !AllDigits(used)) {
        return -1;
    }
    int count = 0;
    for (const char c : used) {
        count = count * 10 + (c - '0');
    }
    return count;
}
