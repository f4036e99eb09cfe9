#include "ReceiveBuffer.h"

#include <cstring>

void ReceiveBuffer::Reset() {
    count_ = 0;
    writeIndex_ = 0;
    readIndex_ = 0;
    std::memset(storage_, 0, sizeof storage_);
    gapBefore_.reset();
    lossPending_ = false;
    gapBeforeLastTaken_ = false;
}

std::uint8_t ReceiveBuffer::Put(std::uint8_t b) {
    if (count_ >= kCapacity) {
        lossPending_ = true;
        return 0;
    }
    ++count_;
    writeIndex_ = Advance(writeIndex_, 1);
    storage_[writeIndex_] = b;
    gapBefore_[writeIndex_] = lossPending_;
    lossPending_ = false;
    return b;
}

std::uint8_t ReceiveBuffer::Get() {
    if (count_ == 0) {
        return 0;
    }
    --count_;
    readIndex_ = Advance(readIndex_, 1);
    gapBeforeLastTaken_ = gapBefore_[readIndex_];
    return storage_[readIndex_];
}
