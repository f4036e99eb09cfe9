#include "SocketDevice.h"

#include <sys/socket.h>

#include <cerrno>

namespace {

IoResult Received(ssize_t n) {
    if (n < 0) {
        return {0, errno == EWOULDBLOCK ? EAGAIN : errno};
    }
    return {static_cast<std::size_t>(n), 0};
}

ssize_t RecvRetrying(int fd, char* data, std::size_t size) {
    ssize_t n;
    while ((n = ::recv(fd, data, size, 0)) < 0 && errno == EINTR) {
    }
    return n;
}

}  // namespace

SocketDevice::SocketDevice(FileDescriptor fd, Kind kind) : fd_(std::move(fd)), kind_(kind) {}

IoResult SocketDevice::Read(std::span<char> buffer) {
    if (kind_ == Kind::Datagram) {
        return ReadDatagram(buffer);
    }
    const IoResult result = Received(RecvRetrying(fd_.Get(), buffer.data(), buffer.size()));
    if (kind_ != Kind::GpsdStream || !result.Ok() || result.count == 0) {
        return result;  // a count of 0 is the end of the stream
    }
    const std::size_t kept = gpsd_.Filter(buffer.data(), result.count);
    // Only gpsd's own reports came: nothing for the reader, and the stream goes on.
    return kept > 0 ? IoResult{kept, 0} : IoResult{0, EAGAIN};
}

IoResult SocketDevice::ReadDatagram(std::span<char> buffer) {
    if (!datagram_.HasPending()) {
        const IoResult result = Received(datagram_.Receive(fd_.Get()));
        if (!result.Ok()) {
            return result;
        }
        if (result.count == 0) {
            return {0, EAGAIN};  // an empty datagram is not the end of anything
        }
    }
    return {datagram_.Take(buffer.data(), buffer.size()), 0};
}

IoResult SocketDevice::Write(std::span<const char> data) {
    if (kind_ != Kind::Stream) {
        return {data.size(), 0};
    }
    ssize_t n;
    while ((n = ::send(fd_.Get(), data.data(), data.size(), MSG_NOSIGNAL)) < 0 && errno == EINTR) {
    }
    return Received(n);
}
