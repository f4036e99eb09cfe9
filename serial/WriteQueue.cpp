#include "serial/WriteQueue.h"

void WriteQueue::Push(WriteBlock block) {
    {
        std::lock_guard lock(mutex_);
        blocks_.push_back(std::move(block));
    }
    wake_.Set();
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
