#include "LineMonitor.h"

#include <QTimer>
#include <cmath>

#include "LineReport.h"
#include "MainStatusBar.h"
#include "NavState.h"
#include "NetworkSourceName.h"
#include "SourceConnector.h"
#include "TComm.h"

namespace {

char ParityLetter(TParity parity) {
    static const char kLetters[] = {'N', 'O', 'E', 'M', 'S'};
    const auto index = static_cast<std::size_t>(parity);
    return index < sizeof kLetters ? kLetters[index] : '?';
}

}  // namespace

LineMonitor::LineMonitor(TComm& comm, MainStatusBar& bar, const NavState& nav,
                         SourceConnector& connector, QObject* parent)
    : QObject(parent), comm_(comm), bar_(bar), nav_(nav), connector_(connector) {
    setObjectName("LineMonitor");
    // A timer of its own: the decode and refresh ticks keep their pace and their work.
    timer_ = new QTimer(this);
    timer_->setObjectName("LineTimer");
    timer_->setInterval(kRefreshInterval);
    connect(timer_, &QTimer::timeout, this, &LineMonitor::Tick);
}

LineSource LineMonitor::PortSource() const {
    LineSource source;
    source.name = comm_.CommName();
    if (IsNetworkSourceName(source.name)) {
        source.kind = LineSource::Kind::Network;
    }
    source.baudRate = comm_.BaudRate();
    source.dataBits = static_cast<int>(comm_.ByteSize()) + 5;
    source.parity = ParityLetter(comm_.Parity());
    source.stopBitsOrdinal = static_cast<int>(comm_.StopBits());
    return source;
}

void LineMonitor::Connecting() {
    Start(PortSource(), LinePhase::Connecting);
}

void LineMonitor::StartedSerial() {
    Start(PortSource(), LinePhase::Running);
}

void LineMonitor::StartedPlayback(const QString& fileName) {
    LineSource source;
    source.kind = LineSource::Kind::Playback;
    source.name = fileName.toStdString();
    Start(source, LinePhase::Running);
}

void LineMonitor::StartedWithoutPlaybackFile(const QString& fileName) {
    LineSource source;
    source.kind = LineSource::Kind::Playback;
    source.name = fileName.toStdString();
    Start(source, LinePhase::NoPlaybackFile);
}

void LineMonitor::Start(const LineSource& source, LinePhase phase) {
    source_ = source;
    statistics_.Reset();
    phase_ = phase;
    byteSinceOpen_ = false;
    ggaSatellites_ = -1;
    fixModeSinceStart_ = false;
    inViewSinceStart_ = false;
    held_ = false;
    sinceSentence_.start();
    bytesAtTick_ = 0;
    sentencesAtTick_ = 0;
    bytesPerSecond_ = 0.0;
    sentencesPerSecond_ = 0;
    quiet_.start();
    sinceTick_.start();
    timer_->start();
    bar_.SetSource(QString::fromStdString(LineStatus::SourceText(source_)));
    Refresh();
}

void LineMonitor::Stopped() {
    // Also ends the reopening of a port that hung up.
    phase_ = LinePhase::Stopped;
    timer_->stop();
    Refresh();
}

void LineMonitor::PlaybackHoldChanged() {
    Refresh();
}

void LineMonitor::Received(const char* bytes, std::size_t count, std::size_t dropped) {
    const LineCounts& counts = statistics_.Counts();
    const std::uint64_t wholeBefore = counts.checksumOk + counts.noChecksum;
    statistics_.Add(bytes, count);
    statistics_.AddDropped(dropped + comm_.TakeDroppedInput());
    if (counts.checksumOk + counts.noChecksum != wholeBefore) {
        sinceSentence_.restart();
    }
    if (count > 0) {
        byteSinceOpen_ = true;
        quiet_.restart();
    }
}

void LineMonitor::PlaybackFed(std::string_view line) {
    Received(line.data(), line.size(), 0);
    Received("\n", 1, 0);
    if (phase_ == LinePhase::PlaybackFinished || phase_ == LinePhase::NoPlaybackFile) {
        phase_ = LinePhase::Running;  // a skipped overlong line looked like the end, or a
                                      // file was chosen while started
    }
}

void LineMonitor::PlaybackFinished() {
    if (phase_ != LinePhase::Stopped && phase_ != LinePhase::PlaybackFinished) {
        phase_ = LinePhase::PlaybackFinished;
        Refresh();
    }
}

void LineMonitor::SentenceFramed(const char* text) {
    // What sets the fix mode and the satellites in view and used: the GPS talker's GSA, GSV
    // and GGA, or, while every talker is decoded, any talker's, and its RMC and GNS too.
    const std::string_view sentence(text);
    if (sentence.size() < 6 || sentence[5] != ',' ||
        (!everyTalker_ && !sentence.starts_with("GP"))) {
        return;
    }
    const int used = LineStatus::GgaSatellitesUsed(text);
    if (used >= 0) {
        ggaSatellites_ = used;
    }
    const std::string_view type = sentence.substr(2, 3);
    const bool fixSentence = type == "GGA" || type == "RMC" || type == "GNS";
    fixModeSinceStart_ = fixModeSinceStart_ || type == "GSA" || (everyTalker_ && fixSentence);
    inViewSinceStart_ = inViewSinceStart_ || type == "GSV";
}

void LineMonitor::HungUp() {
    if (phase_ != LinePhase::Running || source_.kind == LineSource::Kind::Playback) {
        return;  // a late request from a port already closed on purpose
    }
    comm_.ClosePort();
    phase_ = LinePhase::Unplugged;
    Refresh();
}

void LineMonitor::TryReopen() {
    if (serialChosen && !serialChosen()) {
        return;
    }
    // A network source is connected off the window's thread and opened once that is done;
    // an attempt still under way goes on.
    if (!connector_.Begin(comm_.CommName(), [this] { Reopen(); })) {
        Reopen();
    }
}

void LineMonitor::Reopen() {
    if (phase_ != LinePhase::Unplugged || (serialChosen && !serialChosen())) {
        return;  // stopped, or another source chosen, while connecting
    }
    try {
        comm_.OpenPort();
    } catch (const ECommsError&) {
        return;  // not back yet; the next tick tries again
    }
    phase_ = LinePhase::Running;
    byteSinceOpen_ = false;
    quiet_.restart();
}

void LineMonitor::Tick() {
    if (phase_ == LinePhase::Unplugged) {
        TryReopen();
    }
    statistics_.AddDropped(comm_.TakeDroppedInput());  // also while nothing gets through
    const double seconds = std::max(sinceTick_.restart(), qint64(1)) / 1000.0;
    const LineCounts& counts = statistics_.Counts();
    bytesPerSecond_ = static_cast<double>(counts.bytes - bytesAtTick_) / seconds;
    sentencesPerSecond_ = static_cast<int>(
        std::lround(static_cast<double>(counts.sentences - sentencesAtTick_) / seconds));
    bytesAtTick_ = counts.bytes;
    sentencesAtTick_ = counts.sentences;
    Refresh();
}

int LineMonitor::QuietSeconds() const {
    return quiet_.isValid() ? static_cast<int>(quiet_.elapsed() / 1000) : 0;
}

LineActivity LineMonitor::Activity() {
    LineActivity activity;
    activity.phase = phase_;
    activity.kind = source_.kind;
    activity.anyByte = byteSinceOpen_;
    activity.quietSeconds = QuietSeconds();
    activity.noiseSeconds =
        sinceSentence_.isValid() ? static_cast<int>(sinceSentence_.elapsed() / 1000) : 0;
    const bool playing = phase_ == LinePhase::Running && source_.kind == LineSource::Kind::Playback;
    const PlaybackHold hold = playing && playbackHold ? playbackHold() : PlaybackHold{};
    const bool held = hold.paused || hold.viewClosed;
    if (held_ && !held) {
        // A held playback was quiet on purpose; its silence starts again from here.
        quiet_.restart();
        sinceSentence_.restart();
        activity.quietSeconds = 0;
        activity.noiseSeconds = 0;
    }
    held_ = held;
    if (hold.paused) {
        activity.phase = LinePhase::Paused;
        activity.pausedUtc = hold.utc;
    } else if (hold.viewClosed) {
        activity.phase = LinePhase::PausedViewClosed;
    }
    return activity;
}

QString LineMonitor::FixFieldText() const {
    if (!fixModeSinceStart_) {
        return LineStatus::kNoFixYetText;
    }
    const int satellites =
        ggaSatellites_ >= 0 ? ggaSatellites_ : (inViewSinceStart_ ? nav_.satsInView : -1);
    return QString::fromStdString(LineStatus::FixText(nav_.fixMode, nav_.fixAvailable, satellites));
}

void LineMonitor::Refresh() {
    bar_.SetState(QString::fromStdString(LineStatus::StateText(Activity())));
    bar_.SetSentenceRate(QString::fromStdString(LineStatus::RateText(phase_, sentencesPerSecond_)));
    // A fix of an earlier source is no fix of this one.
    if (phase_ != LinePhase::Stopped) {
        bar_.SetFix(FixFieldText());
    }
    ShowReport();
}

void LineMonitor::SetWindow(LineStatisticsView* window) {
    window_ = window;
    ShowReport();
}

void LineMonitor::ShowReport() {
    if (!window_) {
        return;
    }
    LineRates rates;
    rates.bytesPerSecond = phase_ == LinePhase::Stopped ? 0.0 : bytesPerSecond_;
    rates.baudRate = source_.kind == LineSource::Kind::Serial ? source_.baudRate : 0;
    rates.secondsSinceByte =
        statistics_.Counts().bytes > 0 ? static_cast<double>(quiet_.elapsed()) / 1000.0 : -1.0;
    window_->ShowReport(MakeLineReport(statistics_, rates));
}
