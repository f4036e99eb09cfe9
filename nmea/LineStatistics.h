#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The kinds of sentence the line statistics count apart: the six the Message View shows,
// other standard sentences ("$GPZDA", "$GNGGA" counts as GGA) and proprietary ones ("$P...").
enum class LineSentenceKind { Gsv, Gga, Gsa, Rmc, Vtg, Gll, OtherStandard, Proprietary };
inline constexpr std::size_t kLineSentenceKinds = 8;

// What a line carried since the counts were last reset.
struct LineCounts {
    std::uint64_t bytes = 0;           // every byte received
    std::uint64_t droppedBytes = 0;    // bytes the full receive buffer had to drop
    std::uint64_t sentences = 0;       // whole sentences ("$" or "!" through the line feed)
    std::uint64_t checksumOk = 0;      // ... whose "*hh" matches
    std::uint64_t checksumErrors = 0;  // ... whose "*hh" does not match or is no number
    std::uint64_t noChecksum = 0;      // ... without "*hh"
    std::uint64_t cut = 0;             // sentences cut short by the start of the next one
    std::uint64_t overlong = 0;        // lines too long for the sentence buffer
    std::uint64_t noiseBytes = 0;      // bytes between sentences that belong to none
    std::array<std::uint64_t, kLineSentenceKinds> byKind{};
};

// One address field ("GPGGA", "PQKL103") and how many whole sentences carried it.
struct AddressCount {
    static constexpr std::size_t kMaxLength = 15;
    char address[kMaxLength + 1] = {};
    std::uint64_t count = 0;
};

// Counts what arrives on a line by following the raw byte stream with a framer of its own,
// independent of the receive buffer and of decoding (which never checks checksums): so it
// also sees what the buffer drops, and a line read at the wrong speed shows up as noise and
// checksum errors. A few operations a byte, no allocation.
class LineStatistics {
public:
    // Longest sentence text kept by the decoder (the sentence buffer less its final zero).
    static constexpr std::size_t kMaxSentence = 199;
    // Distinct addresses counted by name; more go into the per-kind counts only.
    static constexpr std::size_t kMaxAddresses = 32;

    void Add(const char* bytes, std::size_t count);
    void AddDropped(std::size_t count) { counts_.droppedBytes += count; }
    void Reset() { *this = LineStatistics(); }

    const LineCounts& Counts() const { return counts_; }
    // The addresses seen in whole sentences, in the order they first appeared.
    const AddressCount* Addresses() const { return addresses_.data(); }
    std::size_t AddressCountUsed() const { return addressesUsed_; }

    static LineSentenceKind KindOf(std::string_view address);

private:
    enum class State { Between, Body, Checksum, Overlong };

    void Take(unsigned char b);
    void Begin();
    void Finish();
    void CountAddress();

    LineCounts counts_;
    std::array<AddressCount, kMaxAddresses> addresses_{};
    std::size_t addressesUsed_ = 0;

    State state_ = State::Between;
    std::size_t length_ = 0;  // bytes after "$" so far
    unsigned char sum_ = 0;   // XOR of the bytes between "$" and "*"
    char address_[AddressCount::kMaxLength + 1] = {};
    std::size_t addressLength_ = 0;
    bool addressDone_ = false;
    int checksumDigits_ = 0;  // hex digits read after "*"
    int checksumValue_ = 0;
    bool checksumBad_ = false;
};
