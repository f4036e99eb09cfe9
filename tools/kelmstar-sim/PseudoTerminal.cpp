#include "PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace kelmsim {

namespace {

[[noreturn]] void fail(const std::string& step) {
    throw std::runtime_error(step + ": " + std::strerror(errno));
}

// Raw mode: no echo of the commands back to the program, no line editing, no CR/LF mapping.
void makeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        fail("tcgetattr");
    }
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB);
    t.c_cflag |= CS8;
    cfsetispeed(&t, B4800);
    cfsetospeed(&t, B4800);
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        fail("tcsetattr");
    }
}

}  // namespace

PseudoTerminal::PseudoTerminal(std::string linkPath) : linkPath_(std::move(linkPath)) {
    try {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0) {
            fail("posix_openpt");
        }
        if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
            fail("grantpt/unlockpt");
        }
        const char* name = ptsname(master_);
        if (name == nullptr) {
            fail("ptsname");
        }
        devicePath_ = name;
        const int flags = fcntl(master_, F_GETFL);
        if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0 ||
            fcntl(master_, F_SETFD, FD_CLOEXEC) != 0) {
            fail("fcntl");
        }
        slave_ = open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (slave_ < 0) {
            fail("open " + devicePath_);
        }
        makeRaw(slave_);

        struct stat st {};
        if (lstat(linkPath_.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                errno = EEXIST;
                fail(linkPath_ + " exists and is not a symbolic link");
            }
            if (unlink(linkPath_.c_str()) != 0) {
                fail("unlink " + linkPath_);
            }
        }
        if (symlink(devicePath_.c_str(), linkPath_.c_str()) != 0) {
            fail("symlink " + linkPath_);
        }
        linked_ = true;
    } catch (...) {
        close();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

void PseudoTerminal::close() {
    if (linked_) {
        // Remove the link only while it still points at this terminal.
        std::vector<char> target(devicePath_.size() + 2);
        const ssize_t n = readlink(linkPath_.c_str(), target.data(), target.size());
        if (n >= 0 && std::string(target.data(), static_cast<std::size_t>(n)) == devicePath_) {
            unlink(linkPath_.c_str());
        }
        linked_ = false;
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

std::size_t PseudoTerminal::unreadBytes() const {
    int pending = 0;
    if (ioctl(slave_, FIONREAD, &pending) != 0 || pending < 0) {
        return 0;
    }
    return static_cast<std::size_t>(pending);
}

void PseudoTerminal::discardUnread() {
    tcflush(slave_, TCIFLUSH);
}

}  // namespace kelmsim
