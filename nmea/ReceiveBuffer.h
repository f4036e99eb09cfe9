#pragma once

#include <bitset>
#include <cstdint>

// The byte ring between the producers (serial receive, playback) and the decode tick.
// Both indices are advanced before use, so after Reset the first byte goes to position 1.
// Positions 0..3998 are used; the ring never holds more than 3990 bytes.
class ReceiveBuffer {
public:
    static constexpr int kStorageSize = 4000;
    static constexpr int kPositions = 3999;  // position 3999 is never used
    static constexpr int kCapacity = 3990;

    ReceiveBuffer() { Reset(); }

    void Reset();

    // Stores b and returns it; a full ring drops b and returns 0.
    std::uint8_t Put(std::uint8_t b);

    // Takes the oldest byte; an empty ring returns 0 and changes nothing.
    std::uint8_t Get();

    std::int32_t Count() const { return count_; }

    // True when bytes were dropped (ring full) between the byte last taken by Get and
    // the one before it, so the two do not belong to one stretch of the input.
    bool GapBeforeLastTaken() const { return gapBeforeLastTaken_; }

    // The byte `offset` places after the next one Get would return (0 = that byte).
    // offset must be below Count().
    std::uint8_t Peek(std::int32_t offset) const {
        return storage_[Advance(readIndex_, offset + 1)];
    }

    std::int32_t WriteIndex() const { return writeIndex_; }
    std::int32_t ReadIndex() const { return readIndex_; }

private:
    static std::int32_t Advance(std::int32_t index, std::int32_t steps) {
        index += steps;
        return index >= kPositions ? index - kPositions : index;
    }

    std::uint8_t storage_[kStorageSize];
    std::int32_t writeIndex_ = 0;
    std::int32_t readIndex_ = 0;
    std::int32_t count_ = 0;

    // gapBefore_[i]: bytes were lost just before the byte at position i.
    std::bitset<kStorageSize> gapBefore_;
    bool lossPending_ = false;
    bool gapBeforeLastTaken_ = false;
};
