#pragma once
// A pseudo-terminal pair whose far end is reachable under a symbolic link. The simulator
// writes to and reads from the master; the control program opens the link.
//
// The simulator keeps the far end open itself as well, so that the master never sees a
// hang-up while no program is connected; bytes that nobody reads are then dropped with
// discardUnread(), as a real line would lose them.

#include <cstddef>
#include <string>

namespace kelmsim {

class PseudoTerminal {
public:
    // Throws std::runtime_error with the failing step and errno text. An existing symbolic
    // link at linkPath is replaced; any other existing file is left alone and is an error.
    explicit PseudoTerminal(std::string linkPath);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& linkPath() const { return linkPath_; }
    const std::string& devicePath() const { return devicePath_; }

    // Bytes written to the master that no reader has taken yet.
    std::size_t unreadBytes() const;
    void discardUnread();

private:
    void close();

    std::string linkPath_;
    std::string devicePath_;
    int master_ = -1;
    int slave_ = -1;
    bool linked_ = false;
};

}  // namespace kelmsim
