#include "TempFile.h"

#include <unistd.h>
#include <cstdlib>

TempFile::TempFile(const std::uint8_t* data, std::size_t size) {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/kelmstar-fuzz-XXXXXX";
    const int fd = ::mkstemp(path_.data());
    if (fd < 0) {
        return;
    }
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    ok_ = written == size;
    ::close(fd);
}

TempFile::~TempFile() {
    ::unlink(path_.c_str());
}
