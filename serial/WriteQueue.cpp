#include "serial/WriteQueue.h"

bool WriteQueue::Push(WriteBlock block) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return false;
        }
        blocks_.push_back(std::move(block));
    }
    wake_.Set();
    return true;
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

void WriteQueue::Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    blocks_.clear();
}
