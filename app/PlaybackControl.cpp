#include "PlaybackControl.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstring>

#include "LineStatus.h"
#include "MainStatusBar.h"
#include "PlaybackLine.h"
#include "TTracking.h"

namespace {

constexpr const char* kSpeedNames[] = {"4 lines/s", "Real time", "10x", "60x", "Fastest"};
constexpr double kFactors[] = {0.0, 1.0, 10.0, 60.0, PlaybackPacer::kFastest};
constexpr int kProgressSteps = 1000;

QString ClockText(double utcSeconds) {
    return QString::fromStdString(LineStatus::ClockText(utcSeconds));
}

}  // namespace

PlaybackControl::PlaybackControl(PlaybackHost host, QObject* parent)
    : QObject(parent), host_(std::move(host)) {
    clock_.start();
    feedTimer_ = new QTimer(this);
    feedTimer_->setObjectName("PlaybackTimer");
    feedTimer_->setTimerType(Qt::PreciseTimer);
    connect(feedTimer_, &QTimer::timeout, this, &PlaybackControl::Tick);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressMs);
    connect(progressTimer_, &QTimer::timeout, this, &PlaybackControl::RefreshProgress);
}

void PlaybackControl::Install(QWidget* panel, int left, QMenu* menu, MainStatusBar* bar) {
    SpeedBox = new QComboBox(panel);
    SpeedBox->setObjectName("SpeedBox");
    for (const char* name : kSpeedNames) {
        SpeedBox->addItem(name);
    }
    SpeedBox->setToolTip("Playback speed");
    SpeedBox->setGeometry(left, 5, 92, 23);
    connect(SpeedBox, &QComboBox::activated, this,
            [this](int index) { SetSpeed(static_cast<Speed>(index)); });

    PauseButton = new QToolButton(panel);
    PauseButton->setObjectName("PauseButton");
    PauseButton->setCheckable(true);
    PauseButton->setIcon(panel->style()->standardIcon(QStyle::SP_MediaPause));
    PauseButton->setToolTip("Pause");
    PauseButton->setGeometry(left + 98, 4, 25, 25);
    connect(PauseButton, &QToolButton::toggled, this, &PlaybackControl::SetPaused);

    menu->addSeparator();
    SpeedMenu = menu->addMenu("Playback Spee&d");
    SpeedMenu->setObjectName("SpeedMenu");
    speedItems_ = new QActionGroup(this);
    for (int i = 0; i < int(std::size(kSpeedNames)); ++i) {
        QAction* item = SpeedMenu->addAction(kSpeedNames[i]);
        item->setCheckable(true);
        item->setChecked(i == 0);
        speedItems_->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { SetSpeed(static_cast<Speed>(i)); });
    }
    PauseItem = menu->addAction("&Pause");
    PauseItem->setObjectName("PauseItem");
    PauseItem->setCheckable(true);
    connect(PauseItem, &QAction::toggled, this, &PlaybackControl::SetPaused);

    ProgressBar = new QProgressBar;
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, kProgressSteps);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setMaximumWidth(100);
    bar->AddField(ProgressBar);
    TimeField = new QLabel;
    TimeField->setObjectName("TimeField");
    bar->AddField(TimeField);
    SetPaused(false);
    RefreshProgress();  // nothing to pause yet
}

double PlaybackControl::Factor() const {
    return kFactors[static_cast<int>(speed_)];
}

double PlaybackControl::Now() const {
    return static_cast<double>(clock_.nsecsElapsed()) / 1e9;
}

bool PlaybackControl::Paced() const {
    return speed_ != Speed::Lines4 && host_.state.playbackActive == 1 &&
           host_.state.dataFile != nullptr;
}

bool PlaybackControl::Steers() const {
    return host_.state.playbackActive == 1 && (speed_ != Speed::Lines4 || paused_);
}

void PlaybackControl::SetSpeed(Speed speed) {
    if (speed == speed_) {
        return;
    }
    speed_ = speed;
    if (speed == Speed::Lines4 && !paused_) {
        FeedPendingLine();  // the refresh tick reads on after it
    }
    pacer_.SetPace(Factor());
    {
        const QSignalBlocker blockBox(SpeedBox);
        SpeedBox->setCurrentIndex(static_cast<int>(speed));
    }
    speedItems_->actions().at(static_cast<int>(speed))->setChecked(true);
    Reschedule();
    ShowTimes();
}

void PlaybackControl::SetPaused(bool paused) {
    paused_ = paused;
    if (!paused) {
        pacer_.SetPace(Factor());  // the pace counts from the moment of resuming
        if (speed_ == Speed::Lines4) {
            FeedPendingLine();
        }
    }
    {
        const QSignalBlocker blockButton(PauseButton);
        const QSignalBlocker blockItem(PauseItem);
        PauseButton->setChecked(paused);
        PauseItem->setChecked(paused);
    }
    PauseButton->setToolTip(paused ? "Resume" : "Pause");
    PauseItem->setText(paused ? "&Resume" : "&Pause");
    Reschedule();
}

void PlaybackControl::Started() {
    pacer_.SetPace(Factor());
    progressTimer_->start();
    Reschedule();
    RefreshProgress();
}

void PlaybackControl::Stopped() {
    progressTimer_->stop();
    SetPaused(false);
    RefreshProgress();
}

void PlaybackControl::FileClosed() {
    pacer_.Restart();
    extentKnown_ = false;
    finished_ = false;
    haveUtc_ = false;
    plotted_ = false;
    Reschedule();
}

void PlaybackControl::Reschedule() {
    if (speed_ == Speed::Lines4 || paused_ || !host_.intake.isActive() || pacer_.AtEnd()) {
        feedTimer_->stop();
        return;
    }
    feedTimer_->setInterval(kPaceMs);
    feedTimer_->start();
}

// One turn of the timed playback: feeds what is due, decodes it at once; at "Fastest"
// goes on for one slice, so the window stays responsive.
void PlaybackControl::Tick() {
    if (!Paced() || paused_) {
        feedTimer_->setInterval(kPaceMs);  // waiting for a file
        return;
    }
    feedTimer_->setInterval(speed_ == Speed::Fastest ? 0 : kPaceMs);
    const qint64 budget = SliceNs();
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    while (more && slice.nsecsElapsed() < budget) {
        more = FillRing();
        host_.decode();
    }
    sinceTick_.start();
    if (pacer_.AtEnd()) {
        feedTimer_->stop();
        RefreshProgress();
    }
}

// What is left of a turn after the rest of the last one: the paint of what the last
// slice changed is part of the stall a user feels.
qint64 PlaybackControl::SliceNs() {
    constexpr qint64 kMs = 1000000;
    if (!sinceTick_.isValid() || feedTimer_->interval() != 0) {
        return kSliceMs * kMs;
    }
    const qint64 rest = sinceTick_.nsecsElapsed();
    return std::clamp(kTurnMs * kMs - rest, kMinSliceMs * kMs, kSliceMs * kMs);
}

// Puts the due lines into the ring while it has room for them; true when the ring
// filled up before every due line was in.
bool PlaybackControl::FillRing() {
    const double now = Now();
    while (const PlaybackPacer::Line* line = pacer_.NextDue(host_.state.dataFile, now)) {
        if (!HasRoomFor(host_.buffer, static_cast<std::size_t>(line->length))) {
            return true;
        }
        PutLine(*line);
    }
    return false;
}

// A line read ahead but not fed yet goes into the ring before the refresh tick takes
// over, so none is skipped.
void PlaybackControl::FeedPendingLine() {
    if (const PlaybackPacer::Line* line = pacer_.Pending()) {
        if (!HasRoomFor(host_.buffer, static_cast<std::size_t>(line->length))) {
            host_.decode();
        }
        PutLine(*line);
    }
}

void PlaybackControl::SentenceDecoded(const char* text, const NavState&) {
    if (host_.state.playbackActive != 1) {
        return;
    }
    const PlaybackLineInfo info =
        InspectPlaybackLine(text, static_cast<int>(std::strlen(text)), everyTalker_);
    if (info.timed) {
        haveUtc_ = true;
        currentUtc_ = info.utcSeconds;
    }
    if (!Paced()) {
        return;
    }
    ++sentences_;
    // One map point per UTC second with a position: the whole track of the drive.
    if (info.position && (!plotted_ || info.utcSeconds != plottedUtc_)) {
        plotted_ = true;
        plottedUtc_ = info.utcSeconds;
        ++positions_;
        if (host_.state.mapViewOpen == 1 && host_.windows.Tracking) {
            host_.windows.Tracking->PlotFix();
        }
    }
}

void PlaybackControl::RefreshProgress() {
    std::FILE* file = host_.state.dataFile;
    const bool playing = host_.state.playbackActive == 1 && file != nullptr;
    PauseButton->setEnabled(playing && host_.intake.isActive());
    PauseItem->setEnabled(PauseButton->isEnabled());
    if (!playing) {
        ProgressBar->setValue(0);
        TimeField->clear();
        return;
    }
    if (!extentKnown_) {
        extent_ = FindPlaybackExtent(file);
        extentKnown_ = true;
    }
    ProgressBar->setValue(PlaybackProgress(::ftello(file), extent_.size, kProgressSteps));
    ShowTimes();
    if (std::feof(file) && pacer_.Pending() == nullptr && !finished_) {
        ReportPlaybackFinished();
    }
}

void PlaybackControl::ShowTimes() {
    if (TimeField == nullptr || !extentKnown_ || host_.state.dataFile == nullptr) {
        return;
    }
    QString text;
    if (extent_.timed) {
        text = QString("%1 / %2")
                   .arg(haveUtc_ ? ClockText(currentUtc_) : QString("--:--:--"))
                   .arg(ClockText(extent_.lastUtc));
    } else if (speed_ == Speed::Lines4) {
        text = "No UTC times in the log";
    } else if (speed_ == Speed::Fastest) {
        text = "No UTC times in the log: as fast as it goes";
    } else {
        text = QString("No UTC times in the log: %1 lines/s")
                   .arg(PlaybackPacer::kUntimedLinesPerSecond * Factor());
    }
    if (TimeField->text() != text) {
        TimeField->setText(text);
    }
}

// The one place that says the end of the file was reached.
void PlaybackControl::ReportPlaybackFinished() {
    finished_ = true;
    ProgressBar->setValue(kProgressSteps);
    if (host_.finished) {
        host_.finished();
    }
}

void PlaybackControl::PutLine(const PlaybackPacer::Line& line) {
    const std::string_view text(line.text, static_cast<std::size_t>(line.length));
    PutPlaybackLine(host_.buffer, text);
    pacer_.Consume();
    if (host_.fed) {
        host_.fed(text);
    }
}
