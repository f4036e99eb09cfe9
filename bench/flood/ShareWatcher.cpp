#include "ShareWatcher.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdio>

#include "CommandFraming.h"

namespace {

constexpr char kTag[] = "FLOOD-BENCH ";

int Connect(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string ShareWatcher::MarkerSentence(const std::string& word) {
    const std::string sentence = "$GPTXT,01,01,02," + std::string(kTag) + word;
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "%02X", NmeaChecksum(sentence));
    return sentence + "*" + checksum + "\r\n";
}

ShareWatcher::ShareWatcher(std::uint16_t port) : port_(port), thread_([this] { Run(); }) {}

ShareWatcher::~ShareWatcher() {
    stop_ = true;
    thread_.join();
}

void ShareWatcher::Run() {
    std::array<char, 1 << 16> chunk{};
    std::string tail;  // the end of the last read, where a marker may begin
    int fd = -1;
    while (!stop_) {
        if (fd < 0) {
            fd = Connect(port_);
            if (fd < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            ++connections_;
            tail.clear();
        }
        pollfd entry{fd, POLLIN, 0};
        if (::poll(&entry, 1, 100) <= 0) {
            continue;
        }
        const ssize_t n = ::recv(fd, chunk.data(), chunk.size(), 0);
        if (n <= 0) {
            ::close(fd);  // dropped by the share: connect again
            fd = -1;
            continue;
        }
        tail.append(chunk.data(), static_cast<std::size_t>(n));
        Scan(tail);
        const std::size_t keep = std::min<std::size_t>(tail.size(), 64);
        tail.erase(0, tail.size() - keep);
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

void ShareWatcher::Scan(const std::string& text) {
    for (std::size_t at = text.find(kTag); at != std::string::npos; at = text.find(kTag, at + 1)) {
        const std::size_t begin = at + sizeof kTag - 1;
        const std::size_t end = text.find('*', begin);
        if (end == std::string::npos) {
            return;  // the rest comes with the next read
        }
        std::lock_guard lock(mutex_);
        if (seen_.emplace(text.substr(begin, end - begin), Clock::now()).second) {
            seenChanged_.notify_all();
        }
    }
}

std::optional<ShareWatcher::Clock::time_point> ShareWatcher::WaitFor(
    const std::string& word, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!seenChanged_.wait_for(lock, timeout, [&] { return seen_.count(word) > 0; })) {
        return std::nullopt;
    }
    return seen_.at(word);
}
