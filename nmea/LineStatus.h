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
// Connecting: a network source is being connected at Start. Paused: the user paused the
// playback. PausedViewClosed: the playback waits while the Measured Message view is closed.
// NoPlaybackFile: started on "File" with no file left to play.
enum class LinePhase {
    Stopped,
    Running,
    Unplugged,
    PlaybackFinished,
    Connecting,
    Paused,
    PausedViewClosed,
    NoPlaybackFile,
};

// What the state field is made from.
struct LineActivity {
    LinePhase phase = LinePhase::Stopped;
    LineSource::Kind kind = LineSource::Kind::Serial;
    bool anyByte = false;     // a byte arrived since Start or since the port was opened again
    int quietSeconds = 0;     // since the last byte, or since Start when none came
    int noiseSeconds = 0;     // since the last whole sentence (or Start) while bytes came
    double pausedUtc = -1.0;  // the log's UTC time where a paused playback holds; < 0 unknown
};

// The status bar's texts, made from plain values so that they need no window to be checked.
class LineStatus {
public:
    // A line quiet for this long is no longer "Receiving".
    static constexpr int kQuietSeconds = 3;
    // Bytes without a whole sentence for this long are noise, not a slow receiver.
    static constexpr int kNoiseSeconds = 3;
    static constexpr const char* kUnpluggedText = "Receiver unplugged: waiting for it to return";
    // The same for a network source whose connection dropped.
    static constexpr const char* kDisconnectedText = "Connection lost: reconnecting";
    static constexpr const char* kConnectingText = "Connecting...";
    static constexpr const char* kNoiseText =
        "Receiving noise, no sentences: wrong line speed? Setup > Data Source > Detect";
    // A network source or a file has no line speed to blame.
    static constexpr const char* kNoiseWithoutSpeedText = "Receiving noise, no sentences";
    static constexpr const char* kChooseFileText =
        "Choose the log file again (Setup > Data Source > ...)";
    static constexpr const char* kViewClosedText =
        "Paused while the Measured Message view is closed";
    static constexpr const char* kNoFixYetText = "No fix yet";

    // "/dev/ttyUSB0 4800 8N1"; a playback file or a network address by its name alone.
    static std::string SourceText(const LineSource& source);

    static std::string StateText(const LineActivity& activity);

    // "hh:mm:ss" of a UTC time of day in seconds.
    static std::string ClockText(double utcSeconds);

    // Empty while stopped or connecting.
    static std::string RateText(LinePhase phase, int sentencesPerSecond);

    // `satellites`: the satellites used in the fix when known, else those in view; below 0
    // when neither is known.
    static std::string FixText(int fixMode, int fixAvailable, int satellites);

    // The satellites-used field of a framed GGA sentence (text after "$", any talker);
    // -1 for any other sentence or when the field is empty or no number.
    static int GgaSatellitesUsed(std::string_view text);
};
