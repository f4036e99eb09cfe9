#include "serial/PosixDeviceFactory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "serial/PosixSerialDevice.h"

namespace {

FileDescriptor OpenDescriptor(const std::string& path) {
    int fd;
    while ((fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) < 0 &&
           errno == EINTR) {
    }
    return FileDescriptor(fd);
}

// flock keeps out every process that locks too, root included; TIOCEXCL also keeps out
// programs that open without locking (all but root's).
bool TakeExclusive(int fd) {
    int rc;
    while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) < 0 && errno == EINTR) {
    }
    return rc == 0 && ::ioctl(fd, TIOCEXCL) == 0;
}

}  // namespace

OpenResult PosixDeviceFactory::Open(const std::string& path) {
    FileDescriptor fd = OpenDescriptor(path);
    if (!fd.Valid()) {
        return {nullptr, OpenFailure::CannotOpen};
    }
    if (!::isatty(fd.Get())) {
        return {nullptr, OpenFailure::NotCommHandle};
    }
    if (!TakeExclusive(fd.Get())) {
        return {nullptr, OpenFailure::CannotOpen};
    }
    termios tio{};
    if (::tcgetattr(fd.Get(), &tio) != 0) {
        ::ioctl(fd.Get(), TIOCNXCL);
        return {nullptr, OpenFailure::CannotSetup};
    }
    return {std::make_unique<PosixSerialDevice>(std::move(fd)), OpenFailure::None};
}
