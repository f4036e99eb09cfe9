#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <string>

// A pseudo-terminal pair standing in for a receiver: the program opens Path(), the test
// writes and reads the other end.
class PseudoTerminal {
public:
    PseudoTerminal() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
            path_ = name;
        }
    }
    ~PseudoTerminal() {
        close(master_);
        close(slave_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& Path() const { return path_; }

    bool Write(const std::string& bytes) const {
        return write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads what the program sent until `count` bytes are in or `timeoutMs` passes.
    std::string Read(std::size_t count, int timeoutMs = 3000) const {
        std::string bytes;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd ready{master_, POLLIN, 0};
            if (poll(&ready, 1, 50) == 1) {
                char chunk[4096];
                const ssize_t got = read(master_, chunk, sizeof chunk);
                if (got > 0) {
                    bytes.append(chunk, static_cast<std::size_t>(got));
                }
            }
        }
        return bytes;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};
