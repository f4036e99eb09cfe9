#include "serial/TReadThread.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "serial/CommNotifier.h"
#include "serial/PollWait.h"
#include "serial/ReceiveWindow.h"
#include "serial/SerialDevice.h"
#include "serial/ThreadPriority.h"
#include "serial/WakeEvent.h"

namespace {

constexpr int kReaderPriority = 2;  // highest of the port's threads

}  // namespace

TReadThread::TReadThread(SerialDevice& device, const WakeEvent& stop, CommNotifier& notify,
                         ReceiveWindow& window, const CommTimeouts& timeouts)
    : device_(device),
      stop_(stop),
      notify_(notify),
      window_(window),
      timeouts_(timeouts),
      thread_([this] {
          if (gate_.Wait()) {
              Run();
          }
      }) {}

void TReadThread::SetTimeouts(const CommTimeouts& timeouts) {
    {
        std::lock_guard lock(timeoutsMutex_);
        timeouts_ = timeouts;
    }
    timeoutsChanged_.Set();
}

CommTimeouts TReadThread::Timeouts() const {
    std::lock_guard lock(timeoutsMutex_);
    return timeouts_;
}

void TReadThread::Run() {
    RaiseCurrentThreadPriority(kReaderPriority);
    // One schedule for the thread: a device that keeps sending completes a block more often
    // than the interval, and must still be asked.
    if (const auto interval = device_.LineEventPollInterval()) {
        nextLineQuery_ = Clock::now() + *interval;
    }
    while (ReadBlock()) {
    }
    device_.Purge(PurgeDirection::Input);
    finished_ = true;
}

// Collects one block and delivers it; false when the thread is to end.
bool TReadThread::ReadBlock() {
    ReadProgress progress{Clock::now(), std::nullopt, 0, kBufferSize};
    for (;;) {
        if (progress.count == kBufferSize) {
            return Deliver(progress.count);
        }
        const auto deadline = ReadDeadline(Timeouts(), progress);
        if (deadline && *deadline <= Clock::now()) {
            if (progress.count > 0) {
                return Deliver(progress.count);
            }
            // A read that timed out empty delivers nothing; the next one starts.
            progress.start = Clock::now();
            continue;
        }
        if (!ServeLineEvents(progress)) {
            return false;
        }
        if (device_.HasPendingInput()) {
            if (!ReadAvailable(progress, 0)) {
                return false;
            }
            continue;
        }
        // poll() skips the line-event entry when the device has no such descriptor (-1).
        std::array<pollfd, 4> fds{{{stop_.Handle(), POLLIN, 0},
                                   {device_.Handle(), POLLIN, 0},
                                   {device_.LineEventHandle(), POLLIN, 0},
                                   {timeoutsChanged_.Handle(), POLLIN, 0}}};
        if (PollWait(fds, EarlierDeadline(deadline, nextLineQuery_)) < 0) {
            return EndWithHangup(progress);
        }
        if (fds[0].revents != 0) {
            return false;
        }
        if (fds[3].revents != 0) {
            timeoutsChanged_.Clear();  // the deadline is worked out afresh above
        }
        if ((fds[2].revents & POLLIN) && !QueryLineEvents(progress)) {
            return false;
        }
        if (fds[1].revents != 0 && !ReadAvailable(progress, fds[1].revents)) {
            return false;
        }
    }
}

// Asks a device without an event descriptor for line events when the query is due.
bool TReadThread::ServeLineEvents(const ReadProgress& progress) {
    const auto interval = device_.LineEventPollInterval();
    if (!nextLineQuery_ || !interval || Clock::now() < *nextLineQuery_) {
        return true;
    }
    nextLineQuery_ = Clock::now() + *interval;
    return QueryLineEvents(progress);
}

bool TReadThread::ReadAvailable(ReadProgress& progress, short revents) {
    const std::span<char> room(buffer_.data() + progress.count, kBufferSize - progress.count);
    const IoResult result = device_.Read(room);
    if (result.Ok() && result.count > 0) {
        progress.count += std::min(result.count, room.size());
        progress.lastByte = Clock::now();
        return true;
    }
    if (result.error == EAGAIN && !(revents & (POLLHUP | POLLERR))) {
        return true;  // someone else's wake-up; nothing lost
    }
    if (result.error == EBADF) {
        return false;  // the device was closed under the thread: no hang-up request
    }
    // End of file, EIO, or a hang-up with nothing to read: the device is gone.
    return EndWithHangup(progress);
}

bool TReadThread::EndWithHangup(const ReadProgress& progress) {
    if (progress.count > 0) {
        Deliver(progress.count);
    }
    notify_.PostHangupRequest();
    return false;
}

// `progress` holds the bytes of the current block, delivered before a hang-up request.
bool TReadThread::QueryLineEvents(const ReadProgress& progress) {
    const LineEvents events = device_.ReadLineEvents();
    if (events.error == EBADF) {
        return false;  // the device was closed under the thread: no hang-up request
    }
    if (events.error != 0) {
        return EndWithHangup(progress);
    }
    try {
        if (events.errorFlags != 0) {
            notify_.Post(CommMessage::ReceiveError, events.errorFlags);
        }
        if (events.modemCode != 0) {
            notify_.Post(CommMessage::ModemStateChange, events.modemCode);
        }
    } catch (const std::bad_alloc&) {
        notify_.PostHangupRequest();
        return false;
    }
    return true;
}

// False when the thread is to end: a stop while waiting for room, or a failure.
bool TReadThread::Deliver(std::size_t count) {
    switch (device_.WhenBehind()) {
        case BacklogPolicy::Unbounded:
            window_.Take(count);
            break;
        case BacklogPolicy::Pause:
            if (!WaitForRoom(count)) {
                return false;
            }
            break;
        case BacklogPolicy::Drop:
            if (!window_.TryTake(count)) {
                Drop(count);
                return true;
            }
            break;
    }
    return Post(count);
}

// Meanwhile the device is not read, so a stream's sender is held back by its transport.
bool TReadThread::WaitForRoom(std::size_t count) {
    while (!window_.TryTake(count)) {
        std::array<pollfd, 2> fds{
            {{stop_.Handle(), POLLIN, 0}, {window_.Room().Handle(), POLLIN, 0}}};
        if (PollWait(fds, std::nullopt) < 0) {
            notify_.PostHangupRequest();
            return false;
        }
        if (fds[0].revents != 0) {
            return false;
        }
    }
    return true;
}

// The rest of a datagram whose start was in the block goes with it, so that no piece of a
// line arrives without its beginning.
void TReadThread::Drop(std::size_t count) {
    while (device_.HasPendingInput()) {
        const IoResult rest = device_.Read(buffer_);
        if (!rest.Ok() || rest.count == 0) {
            break;
        }
        count += rest.count;
    }
    window_.CountDropped(count);
}

bool TReadThread::Post(std::size_t count) {
    try {
        // Zero-filled, so the byte after the data is the terminating zero.
        auto block = std::make_unique<char[]>(count + 1);
        std::memcpy(block.get(), buffer_.data(), count);
        const auto length = static_cast<std::uint16_t>(count);
        notify_.Post(CommMessage::ReceiveData, length, std::move(block), length);
    } catch (const std::bad_alloc&) {
        window_.Give(count);
        notify_.PostHangupRequest();
        return false;
    }
    return true;
}
