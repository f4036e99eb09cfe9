#include "NetworkByteSource.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PollWait.h"
#include "SocketOpen.h"

NetworkByteSource::NetworkByteSource(int fd, NetworkKind kind, std::string description)
    : fd_(fd), kind_(kind), description_(std::move(description)) {}

NetworkByteSource::~NetworkByteSource() {
    ::close(fd_);
}

ByteSource::ReadResult NetworkByteSource::Fail(int error) {
    error_ = std::strerror(error);
    return {Status::Failed, 0};
}

ByteSource::ReadResult NetworkByteSource::Read(char* buffer, std::size_t size,
                                               std::chrono::milliseconds timeout) {
    if (datagram_.HasPending()) {
        return {Status::Data, datagram_.Take(buffer, size)};
    }
    pollfd entry{fd_, POLLIN, 0};
    const int n = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    if (n == 0 || (n < 0 && errno == EINTR)) {
        return {Status::Idle, 0};  // a signal comes back to the caller's loop
    }
    if (n < 0) {
        return Fail(errno);
    }
    const bool udp = kind_ == NetworkKind::Udp;
    const ssize_t got = udp ? datagram_.Receive(fd_) : ::recv(fd_, buffer, size, 0);
    if (got < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? ReadResult{}
                                                                         : Fail(errno);
    }
    if (udp) {
        return {Status::Data, datagram_.Take(buffer, size)};
    }
    if (got == 0) {
        return {Status::End, 0};
    }
    std::size_t count = static_cast<std::size_t>(got);
    if (kind_ == NetworkKind::Gpsd) {
        count = gpsd_.Filter(buffer, count);
    }
    return {count > 0 ? Status::Data : Status::Idle, count};
}

bool NetworkByteSource::Write(const char* data, std::size_t size,
                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (size > 0) {
        pollfd entry{fd_, POLLOUT, 0};
        const int n = PollWait({&entry, 1}, deadline);
        if (n <= 0) {
            error_ = n == 0 ? "the server took no more bytes" : std::strerror(errno);
            return false;
        }
        const ssize_t sent = ::send(fd_, data, size, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
                continue;
            }
            Fail(errno);
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool IsNetworkInput(const std::string& name) {
    return IsNetworkSourceName(name);
}

std::unique_ptr<ByteSource> OpenNetworkSource(const std::string& name, std::string& error) {
    const std::optional<NetworkSource> source = ParseNetworkSource(name, error);
    if (!source) {
        error = NameErrorText(name, error);
        return nullptr;
    }
    const SocketOpenResult opened = OpenSourceSocket(*source);
    if (opened.fd < 0) {
        error = OpenErrorText(*source, opened.error);
        return nullptr;
    }
    return std::make_unique<NetworkByteSource>(opened.fd, source->kind, DescribeSource(*source));
}
