#pragma once

#include <sys/socket.h>
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <vector>

// One received datagram, handed out in pieces of whatever size the reader asks for: lines
// of a datagram larger than the reader's buffer are not lost. Never holds more than one.
// The end of a datagram ends its line: senders that leave out the last CR LF are common,
// and without it the next datagram's sentence would cut this one's short.
class DatagramBuffer {
public:
    static constexpr std::size_t kLargestDatagram = 65535;

    bool HasPending() const { return begin_ < end_; }

    // Receives the next datagram from `fd` (retrying an interrupted call); returns what
    // recv returned: a byte count, 0 for an empty datagram, -1 with errno set. Take hands
    // out the datagram with a line end added where it has none.
    ssize_t Receive(int fd) {
        if (data_.empty()) {
            data_.resize(kLargestDatagram + 2);
        }
        ssize_t n;
        while ((n = ::recv(fd, data_.data(), kLargestDatagram, 0)) < 0 && errno == EINTR) {
        }
        begin_ = 0;
        end_ = n > 0 ? static_cast<std::size_t>(n) : 0;
        EndLine();
        return n;
    }

    // Copies up to `size` bytes of the pending datagram into `buffer`; returns how many.
    std::size_t Take(char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, end_ - begin_);
        std::memcpy(buffer, data_.data() + begin_, n);
        begin_ += n;
        return n;
    }

private:
    void EndLine() {
        if (end_ == 0 || data_[end_ - 1] == '\n') {
            return;
        }
        if (data_[end_ - 1] != '\r') {
            data_[end_++] = '\r';
        }
        data_[end_++] = '\n';
    }

    std::vector<char> data_;  // allocated by the first Receive
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};
