#include "serial/TWriteThread.h"

#include <poll.h>

#include <array>
#include <cerrno>

#include "serial/CommNotifier.h"
#include "serial/PollWait.h"
#include "serial/SerialDevice.h"
#include "serial/ThreadPriority.h"
#include "serial/WakeEvent.h"

namespace {

constexpr int kWriterPriority = 1;  // above normal, below the reader

}  // namespace

TWriteThread::TWriteThread(SerialDevice& device, const WakeEvent& stop, CommNotifier& notify,
                           std::atomic<bool>& txQueueEmpty)
    : device_(device), stop_(stop), notify_(notify), txQueueEmpty_(txQueueEmpty), thread_([this] {
          if (gate_.Wait()) {
              Run();
          }
      }) {}

void TWriteThread::Run() {
    RaiseCurrentThreadPriority(kWriterPriority);
    Outcome outcome = Outcome::Failed;
    try {
        outcome = Serve();
    } catch (const std::bad_alloc&) {
        // A notification could not be posted: ask for a hang-up like any other failure.
    }
    if (outcome == Outcome::Failed) {
        notify_.PostHangupRequest();
    }
    // Before the flag below: a WriteData that finds the queue closed sets the flag back.
    queue_.Close();
    device_.Purge(PurgeDirection::Output);
    txQueueEmpty_ = true;
    finished_ = true;
}

// Sends blocks until stopped or a failure ends the thread.
TWriteThread::Outcome TWriteThread::Serve() {
    bool wroteSinceNotify = true;
    for (;;) {
        std::optional<WriteBlock> block = queue_.TryPop();
        if (!block) {
            txQueueEmpty_ = true;
            if (wroteSinceNotify) {
                notify_.Post(CommMessage::SendDataEmpty);
                wroteSinceNotify = false;
            }
            const Wait wait = WaitFor(queue_.WakeHandle(), POLLIN);
            if (wait != Wait::Ready) {
                return wait == Wait::Stop ? Outcome::Stopped : Outcome::Failed;
            }
            queue_.ClearWake();
            continue;
        }
        // A block taken as the stop arrives is not sent; it is released here.
        if (stop_.IsSet()) {
            return Outcome::Stopped;
        }
        if (const Outcome sent = SendBuffer(*block); sent != Outcome::Done) {
            return sent;
        }
        wroteSinceNotify = true;
    }
}

TWriteThread::Wait TWriteThread::WaitFor(int fd, short events, short* revents) {
    std::array<pollfd, 2> fds{{{stop_.Handle(), POLLIN, 0}, {fd, events, 0}}};
    if (PollWait(fds, std::nullopt) < 0) {
        return Wait::Failed;
    }
    if (fds[0].revents != 0) {
        return Wait::Stop;
    }
    if (revents != nullptr) {
        *revents = fds[1].revents;
    }
    return Wait::Ready;
}

// Writes the whole block, in as many partial writes as the device needs.
TWriteThread::Outcome TWriteThread::SendBuffer(const WriteBlock& block) {
    std::size_t sent = 0;
    while (sent < block.count) {
        const IoResult result = device_.Write({block.data.get() + sent, block.count - sent});
        if (result.Ok()) {
            sent += result.count;
            continue;
        }
        if (result.error == EBADF) {
            return Outcome::Closed;
        }
        if (result.error != EAGAIN) {
            return Outcome::Failed;
        }
        short revents = 0;
        const Wait wait = WaitFor(device_.Handle(), POLLOUT, &revents);
        if (wait != Wait::Ready) {
            return wait == Wait::Stop ? Outcome::Stopped : Outcome::Failed;
        }
        // A hang-up that leaves nothing writable would otherwise spin here.
        if ((revents & (POLLHUP | POLLERR)) && !(revents & POLLOUT)) {
            return Outcome::Failed;
        }
    }
    return Outcome::Done;
}
