#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "LineStatistics.h"
#include "LineStatisticsView.h"
#include "LineStatus.h"

class MainStatusBar;

// Whether a playback is held, as the main window knows it.
struct PlaybackHold {
    bool paused = false;      // the user paused it
    bool viewClosed = false;  // it waits for the Measured Message view to open again
    double utc = -1.0;        // the log's UTC time it holds at; < 0 when none is known
};
class QTimer;
class SourceConnector;
class TComm;
struct NavState;

// Watches the data source for the main window: counts what arrives, keeps the status
// bar's fields and the "Line Statistics" window current once a second, and brings a
// serial port that hung up while running back when its device returns (a network source
// when it can be connected again). Never opens a dialog.
class LineMonitor : public QObject {
    Q_OBJECT

public:
    static constexpr int kRefreshInterval = 1000;  // ms; also the pace of reopening

    // `connector` reconnects network sources off the window's thread.
    LineMonitor(TComm& comm, MainStatusBar& bar, const NavState& nav, SourceConnector& connector,
                QObject* parent = nullptr);

    // A network source is being connected for Start.
    void Connecting();
    // Intake has started on the serial port or a network source (its name and line
    // settings are read from the component) or on a playback file.
    void StartedSerial();
    void StartedPlayback(const QString& fileName);
    // Started on "File" with no file left to play (none chosen since Stop, or at its end).
    void StartedWithoutPlaybackFile(const QString& fileName);
    void Stopped();
    // The playback was paused or resumed: the state field follows at once.
    void PlaybackHoldChanged();

    // A batch from the port; `dropped` of its bytes did not fit the receive buffer.
    void Received(const char* bytes, std::size_t count, std::size_t dropped);
    // Playback put this line, and a line feed after it, into the receive buffer.
    void PlaybackFed(std::string_view line);
    // The playback file has nothing more to give: "Playback finished" until Stop or
    // until more lines are fed.
    void PlaybackFinished();
    // A sentence was framed for decoding (text after "$").
    void SentenceFramed(const char* text);
    // Whether every talker's sentences are decoded, or the GPS talker's alone: which of them
    // can bring the fix the status bar shows.
    void SetEveryTalker(bool every) { everyTalker_ = every; }
    // The port asked to be hung up (its device is gone).
    void HungUp();

    // Whether the serial port is still the chosen source; a port is reopened only then
    // (picking a playback file closes it for good).
    std::function<bool()> serialChosen;
    // Whether the playback is held (null: never).
    std::function<PlaybackHold()> playbackHold;

    void SetWindow(LineStatisticsView* window);
    LineStatisticsView* Window() const { return window_; }

    LinePhase Phase() const { return phase_; }
    const LineStatistics& Statistics() const { return statistics_; }

private:
    LineSource PortSource() const;
    void Start(const LineSource& source, LinePhase phase);
    void Tick();
    void TryReopen();
    void Reopen();
    void Refresh();
    void ShowReport();
    LineActivity Activity();
    QString FixFieldText() const;
    int QuietSeconds() const;

    TComm& comm_;
    MainStatusBar& bar_;
    const NavState& nav_;
    SourceConnector& connector_;
    QTimer* timer_ = nullptr;
    QPointer<LineStatisticsView> window_;

    LineStatistics statistics_;
    LineSource source_;
    LinePhase phase_ = LinePhase::Stopped;
    bool byteSinceOpen_ = false;  // since the port was last opened
    int ggaSatellites_ = -1;
    // What the current source has decoded since Start: the fix field shows nothing older.
    bool fixModeSinceStart_ = false;
    bool inViewSinceStart_ = false;
    bool held_ = false;  // the playback was held at the last refresh
    bool everyTalker_ = false;
    QElapsedTimer quiet_;          // since the last byte, or since Start when none came
    QElapsedTimer sinceSentence_;  // since the last whole sentence, or since Start
    QElapsedTimer sinceTick_;
    std::uint64_t bytesAtTick_ = 0;
    std::uint64_t sentencesAtTick_ = 0;
    double bytesPerSecond_ = 0.0;
    int sentencesPerSecond_ = 0;
};
