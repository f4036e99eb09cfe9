#include "serial/WriteQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

WriteQueue::WriteQueue() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!wake_.Valid()) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

void WriteQueue::Push(WriteBlock block) {
    {
        std::lock_guard lock(mutex_);
        blocks_.push_back(std::move(block));
    }
    const std::uint64_t one = 1;
    while (::write(wake_.Get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

std::optional<WriteBlock> WriteQueue::TryPop() {
    std::lock_guard lock(mutex_);
    if (blocks_.empty()) {
        return std::nullopt;
    }
    WriteBlock block = std::move(blocks_.front());
    blocks_.pop_front();
    return block;
}

void WriteQueue::ClearWake() {
    std::uint64_t count = 0;
    while (::read(wake_.Get(), &count, sizeof count) < 0 && errno == EINTR) {
    }
}
