#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <string_view>

#include "AppState.h"
#include "DecodeListener.h"
#include "PlaybackExtent.h"
#include "PlaybackFeeder.h"
#include "PlaybackPacer.h"
#include "ProgramWindows.h"
#include "ReceiveBuffer.h"

class MainStatusBar;
class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolButton;
class QWidget;

// What the playback controls work on; owned by the main window.
struct PlaybackHost {
    AppState& state;
    ReceiveBuffer& buffer;
    ProgramWindows& windows;
    const QTimer& intake;  // the decode timer: active while intake is started
    // Frames, logs, decodes and shows every whole sentence buffered; returns how many.
    std::function<int()> decode;
    // Told of each line fed (without its line feed) and of the end of the file.
    PlaybackLineTap fed;
    std::function<void()> finished;
};

// The playback's speed, pause and progress. At "4 lines/s" the refresh tick feeds the
// file as it always did; at the other speeds a timer of this class reads the file by the
// log's own UTC times, keeps the ring from overflowing, decodes what it fed at once and
// puts one map point per UTC second with a position. Sees every decoded sentence as the
// view feed's observer.
class PlaybackControl : public QObject, public DecodeListener {
    Q_OBJECT

public:
    enum class Speed { Lines4, RealTime, Times10, Times60, Fastest };
    // A "Fastest" turn of the event loop: feeding and decoding take at most kSliceMs of it,
    // less when the rest of the last turn (painting the views) took longer than kTurnMs
    // minus that, but never less than kMinSliceMs.
    static constexpr int kTurnMs = 30;
    static constexpr int kSliceMs = 20;
    static constexpr int kMinSliceMs = 4;
    static constexpr int kPaceMs = 20;  // feed interval at the timed speeds
    static constexpr int kProgressMs = 250;

    PlaybackControl(PlaybackHost host, QObject* parent = nullptr);

    // The drop-down and the pause toggle go onto `panel` from `left` on, the menu items
    // after the items of `menu`, the progress fields into `bar`.
    void Install(QWidget* panel, int left, QMenu* menu, MainStatusBar* bar);

    void SetSpeed(Speed speed);
    Speed CurrentSpeed() const { return speed_; }
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }

    // True while this class feeds the playback and plots the map instead of the refresh
    // tick: a playback at another speed than "4 lines/s", or a paused one.
    bool Steers() const;

    // Hooks of the main window.
    void Started();
    void Stopped();
    void FileClosed();

    // True once the end of the playback file was reached ("Playback finished").
    bool Finished() const { return finished_; }
    // The log's UTC time at the line reached; below 0 before the first timed line.
    double CurrentUtc() const { return haveUtc_ ? currentUtc_ : -1.0; }

    // Sentences decoded and map positions found while playing at the timed speeds.
    long long SentencesPaced() const { return sentences_; }
    long long PositionsPaced() const { return positions_; }

    void SentenceDecoded(const char* text, const NavState& nav) override;

    // Whether every talker's positions go into the map's track (all satellite systems).
    void SetEveryTalker(bool every) { everyTalker_ = every; }

    QComboBox* SpeedBox = nullptr;
    QToolButton* PauseButton = nullptr;
    QMenu* SpeedMenu = nullptr;
    QAction* PauseItem = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QLabel* TimeField = nullptr;

private:
    bool Paced() const;
    double Factor() const;
    double Now() const;
    void Reschedule();
    void Tick();
    qint64 SliceNs();
    bool FillRing();
    void FeedPendingLine();
    void RefreshProgress();
    void ShowTimes();
    void ReportPlaybackFinished();
    void PutLine(const PlaybackPacer::Line& line);

    PlaybackHost host_;
    PlaybackPacer pacer_;
    PlaybackExtent extent_;
    bool extentKnown_ = false;
    bool finished_ = false;
    Speed speed_ = Speed::Lines4;
    bool paused_ = false;
    bool haveUtc_ = false;
    double currentUtc_ = 0.0;
    bool everyTalker_ = false;
    bool plotted_ = false;
    double plottedUtc_ = 0.0;
    long long sentences_ = 0;
    long long positions_ = 0;
    QElapsedTimer clock_;
    QElapsedTimer sinceTick_;  // from the end of the last turn's slice
    QTimer* feedTimer_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QActionGroup* speedItems_ = nullptr;
};
