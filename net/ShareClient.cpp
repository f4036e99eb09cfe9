#include "ShareClient.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>

namespace {

// Small kernel buffers, so that a stalled client shows in the queue soon rather than after
// megabytes.
constexpr int kSocketSendBuffer = 16 * 1024;

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

}  // namespace

ShareClient::ShareClient(int fd, QObject* parent)
    : QObject(parent),
      fd_(fd),
      reading_(fd, QSocketNotifier::Read),
      writing_(fd, QSocketNotifier::Write) {
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSocketSendBuffer, sizeof kSocketSendBuffer);
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    writing_.setEnabled(false);
    readPause_.setSingleShot(true);
    readPause_.setInterval(kReadPause);
    connect(&reading_, &QSocketNotifier::activated, this, &ShareClient::Readable);
    connect(&writing_, &QSocketNotifier::activated, this, &ShareClient::Writable);
    connect(&readPause_, &QTimer::timeout, &reading_, [this] { reading_.setEnabled(true); });
}

void ShareClient::Readable() {
    std::array<char, kReadPiece> discard;
    const ssize_t n = ::recv(fd_.Get(), discard.data(), discard.size(), MSG_DONTWAIT);
    if (n > 0) {
        reading_.setEnabled(false);
        readPause_.start();
    } else if (n == 0) {
        reading_.setEnabled(false);  // shut its sending side: it still reads
    } else if (!WouldBlock(errno)) {
        emit Gone();
    }
}

bool ShareClient::Send(std::string_view data) {
    if (queue_.size() - queueSent_ + data.size() > kQueueLimit) {
        return false;
    }
    // A client that reads just as fast as it is sent to never empties its queue: what it
    // has taken goes here, so that the queue stays within twice the limit.
    if (queueSent_ >= kQueueLimit) {
        queue_.erase(0, queueSent_);
        queueSent_ = 0;
    }
    queue_.append(data);
    return Flush();
}

// Writes what the socket takes now; false when the connection failed.
bool ShareClient::Flush() {
    while (queueSent_ < queue_.size()) {
        const ssize_t n = ::send(fd_.Get(), queue_.data() + queueSent_, queue_.size() - queueSent_,
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (!WouldBlock(errno)) {
                return false;
            }
            writing_.setEnabled(true);
            return true;
        }
        queueSent_ += static_cast<std::size_t>(n);
    }
    queue_.clear();
    queueSent_ = 0;
    writing_.setEnabled(false);
    return true;
}

void ShareClient::Writable() {
    if (!Flush()) {
        emit Gone();
    }
}
