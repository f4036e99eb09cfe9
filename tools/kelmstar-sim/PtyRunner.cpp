#include "PtyRunner.h"

#include "UartLine.h"

#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <optional>
#include <variant>

namespace kelmsim {

namespace {

// Longest wait between looks at the stop signals.
constexpr double kMaxWait = 0.1;
// More queued output than this many seconds of line time means the line is too slow for
// the sentences asked for; the oldest whole sentences are dropped.
constexpr double kBacklogSeconds = 2.0;
constexpr std::size_t kUnpacedBacklog = 2048;

bool stopRequested(const sigset_t& signals) {
    timespec zero{0, 0};
    return sigtimedwait(&signals, nullptr, &zero) > 0;
}

}  // namespace

PtyRunner::PtyRunner(ReceiverModel& model, NoiseInjector& noise, LinePacer& pacer,
                     std::ostream& report, std::ostream* timestamps)
    : model_(model), noise_(noise), pacer_(pacer), report_(report), timestamps_(timestamps) {}

void PtyRunner::run(PseudoTerminal& pty, double durationSeconds, const sigset_t& stopSignals) {
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const double period = static_cast<double>(model_.periodMillis()) / 1000.0;
    double nextEpoch = 0.0;
    while (!stopRequested(stopSignals)) {
        double now = elapsed();
        if (durationSeconds > 0.0 && now >= durationSeconds) {
            break;
        }
        if (now >= nextEpoch) {
            produce();
            nextEpoch += period;
        }
        transmit(pty, now);
        pollfd p{pty.masterFd(), POLLIN, 0};
        if (poll(&p, 1, waitMillis(now, nextEpoch)) > 0 && (p.revents & POLLIN)) {
            receive(pty.masterFd(), elapsed());
        }
    }
}

int PtyRunner::waitMillis(double now, double nextEpoch) const {
    double wake = std::min(nextEpoch, now + kMaxWait);
    if (!queue_.empty()) {
        wake = std::min(wake, pacer_.readyAt());
    }
    return std::max(0, static_cast<int>(std::ceil((wake - now) * 1000.0)));
}

void PtyRunner::produce() {
    for (std::string& sentence : model_.nextEpoch()) {
        queue_.push_back(noise_.apply(std::move(sentence)));
        queuedBytes_ += queue_.back().size();
    }
    dropBacklog();
}

void PtyRunner::dropBacklog() {
    const std::size_t limit =
        pacer_.paced() ? static_cast<std::size_t>(pacer_.bytesPerSecond() * kBacklogSeconds)
                       : kUnpacedBacklog;
    // The front sentence may be half written; it is kept so the line stays well framed.
    while (queuedBytes_ > limit && queue_.size() > 1) {
        queuedBytes_ -= queue_[1].size();
        queue_.erase(queue_.begin() + 1);
        if (!warnedBacklog_) {
            report_ << "kelmstar-sim: the line is too slow for the sentences asked for; "
                       "dropping sentences\n"
                    << std::flush;
            warnedBacklog_ = true;
        }
    }
}

void PtyRunner::transmit(PseudoTerminal& pty, double now) {
    // Nobody reading: lose what waits on the line, as a real line would.
    const std::size_t unreadLimit =
        pacer_.paced() ? static_cast<std::size_t>(pacer_.bytesPerSecond() * kBacklogSeconds)
                       : kUnpacedBacklog;
    if (pty.unreadBytes() > unreadLimit) {
        pty.discardUnread();
    }
    while (!queue_.empty() && pacer_.ready(now)) {
        const std::string& front = queue_.front();
        const std::size_t length = std::min(pacer_.chunkBytes(), front.size() - frontSent_);
        const std::size_t written =
            writeChunk(pty.masterFd(), std::string_view(front).substr(frontSent_, length));
        if (written == 0) {
            return;  // EAGAIN: the terminal's buffer is full; try again on the next turn
        }
        pacer_.sent(written, now);
        frontSent_ += written;
        queuedBytes_ -= written;
        if (frontSent_ == front.size()) {
            stampSent(front);
            queue_.pop_front();
            frontSent_ = 0;
        }
    }
}

// The bytes of `chunk` taken by the line.
std::size_t PtyRunner::writeChunk(int fd, std::string_view chunk) {
    const std::optional<int> readerBaud =
        uartBaud_ > 0 ? UartLine::TerminalSpeed(fd) : std::optional<int>();
    if (!readerBaud || *readerBaud == uartBaud_) {
        const ssize_t n = write(fd, chunk.data(), chunk.size());
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    // What the far end's UART makes of the chunk; what the terminal cannot take is lost, as
    // on a line.
    const std::string received = UartLine::Receive(chunk, uartBaud_, *readerBaud);
    const ssize_t n = write(fd, received.data(), received.size());
    return n < 0 && errno == EAGAIN ? 0 : chunk.size();
}

void PtyRunner::stampSent(const std::string& sentence) {
    if (timestamps_ == nullptr) {
        return;
    }
    // CLOCK_MONOTONIC is shared by all processes, so a reader can compare it with its own.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nanos = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    std::size_t end = sentence.size();
    while (end > 0 && (sentence[end - 1] == '\n' || sentence[end - 1] == '\r')) {
        --end;
    }
    *timestamps_ << nanos << ' ';
    timestamps_->write(sentence.data(), static_cast<std::streamsize>(end));
    *timestamps_ << '\n';
}

void PtyRunner::receive(int fd, double now) {
    char buffer[512];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) {
        return;
    }
    for (const CommandEvent& event :
         parser_.feed(std::string_view(buffer, static_cast<std::size_t>(n)), now)) {
        report(event);
        if (!event.command) {
            continue;
        }
        if (std::holds_alternative<ResetCommand>(*event.command)) {
            discardUnsent();
        }
        model_.apply(*event.command);
    }
}

void PtyRunner::discardUnsent() {
    // A restarting receiver drops what it had not yet sent; a half-sent sentence is finished
    // so that the line stays framed.
    const std::size_t keep = frontSent_ > 0 ? 1 : 0;
    while (queue_.size() > keep) {
        queuedBytes_ -= queue_.back().size();
        queue_.pop_back();
    }
}

void PtyRunner::report(const CommandEvent& event) {
    switch (event.kind) {
        case CommandEvent::Kind::Accepted:
            report_ << "kelmstar-sim: accepted " << event.text << ": " << describe(*event.command)
                    << '\n';
            break;
        case CommandEvent::Kind::Rejected:
            report_ << "kelmstar-sim: rejected " << event.text << ": " << event.reason << '\n';
            break;
        case CommandEvent::Kind::Repeat:
            return;  // the five copies of one command are taken as one
    }
    report_ << std::flush;
}

}  // namespace kelmsim
