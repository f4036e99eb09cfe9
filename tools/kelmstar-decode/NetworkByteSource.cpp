#include "NetworkByteSource.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "SocketOpen.h"

namespace {

constexpr std::size_t kLargestDatagram = 65535;

}  // namespace

NetworkByteSource::NetworkByteSource(int fd, NetworkKind kind) : fd_(fd), kind_(kind) {
    if (kind_ == NetworkKind::Udp) {
        datagram_.resize(kLargestDatagram);
    }
}

NetworkByteSource::~NetworkByteSource() {
    ::close(fd_);
}

ByteSource::ReadResult NetworkByteSource::Fail(int error) {
    error_ = std::strerror(error);
    return {Status::Failed, 0};
}

ByteSource::ReadResult NetworkByteSource::TakeDatagram(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, pendingEnd_ - pendingBegin_);
    std::memcpy(buffer, datagram_.data() + pendingBegin_, n);
    pendingBegin_ += n;
    return {Status::Data, n};
}

ByteSource::ReadResult NetworkByteSource::Read(char* buffer, std::size_t size,
                                               std::chrono::milliseconds timeout) {
    if (pendingBegin_ < pendingEnd_) {
        return TakeDatagram(buffer, size);
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
    const ssize_t got =
        udp ? ::recv(fd_, datagram_.data(), datagram_.size(), 0) : ::recv(fd_, buffer, size, 0);
    if (got < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? ReadResult{}
                                                                         : Fail(errno);
    }
    if (udp) {
        pendingBegin_ = 0;
        pendingEnd_ = static_cast<std::size_t>(got);
        return TakeDatagram(buffer, size);
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

bool IsNetworkInput(const std::string& name) {
    return IsNetworkSourceName(name);
}

std::unique_ptr<ByteSource> OpenNetworkSource(const std::string& name, std::string& error) {
    const std::optional<NetworkSource> source = ParseNetworkSource(name, error);
    if (!source) {
        error = "Cannot use " + name + ": " + error;
        return nullptr;
    }
    const SocketOpenResult opened = OpenSourceSocket(*source);
    if (opened.fd < 0) {
        error = OpenErrorText(*source, opened.error);
        return nullptr;
    }
    auto result = std::make_unique<NetworkByteSource>(opened.fd, source->kind);
    if (source->kind == NetworkKind::Gpsd) {
        const std::size_t size = sizeof kGpsdWatchNmea - 1;
        if (::send(opened.fd, kGpsdWatchNmea, size, MSG_NOSIGNAL) != static_cast<ssize_t>(size)) {
            error = OpenErrorText(*source, "gpsd did not take the request for sentences");
            return nullptr;
        }
    }
    return result;
}
