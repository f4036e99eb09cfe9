#pragma once

#include <string>
#include <string_view>

// Where the bytes come from, as the status bar names it.
struct LineSource {
    enum class Kind { Serial, Playback, Network };
    Kind kind = Kind::Serial;
    std::string name;  // the port or network address as the user named it, or the file's
    int baudRate = 4800;
    int dataBits = 8;
    char parity = 'N';        // N, O, E, M or S
    int stopBitsOrdinal = 0;  // 0 one, 1 one and a half, 2 two
};

// What the intake is doing, as far as the status bar tells it apart.
// Connecting: a network source is being connected at Start.
enum class LinePhase { Stopped, Running, Unplugged, PlaybackFinished, Connecting };

// The status bar's texts, made from plain values so that they need no window to be checked.
class LineStatus {
public:
    // A line quiet for this long is no longer "Receiving".
    static constexpr int kQuietSeconds = 3;
    static constexpr const char* kUnpluggedText = "Receiver unplugged: waiting for it to return";
    // The same for a network source whose connection dropped.
    static constexpr const char* kDisconnectedText = "Connection lost: reconnecting";
    static constexpr const char* kConnectingText = "Connecting...";

    // "/dev/ttyUSB0 4800 8N1"; a playback file or a network address by its name alone.
    static std::string SourceText(const LineSource& source);

    // `anyByte`: a byte arrived since Start or since the port was opened again; `quietSeconds`:
    // since the last byte, or since Start when none did. A network source that dropped is told
    // apart from a serial port.
    static std::string StateText(LinePhase phase, bool anyByte, int quietSeconds,
                                 LineSource::Kind kind = LineSource::Kind::Serial);

    // Empty while stopped or connecting.
    static std::string RateText(LinePhase phase, int sentencesPerSecond);

    // `satellites`: the satellites used in the fix when known, else those in view.
    static std::string FixText(int fixMode, int fixAvailable, int satellites);

    // The satellites-used field of a framed GGA sentence (text after "$", any talker);
    // -1 for any other sentence or when the field is empty or no number.
    static int GgaSatellitesUsed(std::string_view text);
};
