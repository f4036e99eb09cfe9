#include "FileByteSource.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

FileByteSource::FileByteSource() : fd_(STDIN_FILENO) {}

FileByteSource::FileByteSource(const std::string& path)
    : owned_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), fd_(owned_.Get()) {
    if (fd_ < 0) {
        error_ = std::strerror(errno);
    }
}

FileByteSource::~FileByteSource() = default;

ByteSource::ReadResult FileByteSource::Read(char* buffer, std::size_t size,
                                            std::chrono::milliseconds timeout) {
    // A pipe may stay silent for a while; a file is always ready.
    pollfd ready{fd_, POLLIN, 0};
    const int n = ::poll(&ready, 1, static_cast<int>(timeout.count()));
    if (n == 0 || (n < 0 && errno == EINTR)) {
        return {Status::Idle, 0};
    }
    ssize_t got;
    while ((got = ::read(fd_, buffer, size)) < 0 && errno == EINTR) {
    }
    if (got < 0) {
        if (errno == EAGAIN) {
            return {Status::Idle, 0};
        }
        error_ = std::strerror(errno);
        return {Status::Failed, 0};
    }
    if (got == 0) {
        return {Status::End, 0};
    }
    return {Status::Data, static_cast<std::size_t>(got)};
}
