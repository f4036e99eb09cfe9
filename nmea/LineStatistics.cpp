#include "LineStatistics.h"

#include <cstring>

namespace {

int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool StartsSentence(unsigned char b) {
    return b == '$' || b == '!';  // "!" starts encapsulated sentences (AIS)
}

}  // namespace

LineSentenceKind LineStatistics::KindOf(std::string_view address) {
    if (!address.empty() && address.front() == 'P') {
        return LineSentenceKind::Proprietary;
    }
    // The type is what follows the two talker letters.
    const std::string_view type = address.size() >= 5 ? address.substr(2, 3) : std::string_view();
    struct Entry {
        std::string_view type;
        LineSentenceKind kind;
    };
    static constexpr Entry kTypes[] = {
        {"GSV", LineSentenceKind::Gsv}, {"GGA", LineSentenceKind::Gga},
        {"GSA", LineSentenceKind::Gsa}, {"RMC", LineSentenceKind::Rmc},
        {"VTG", LineSentenceKind::Vtg}, {"GLL", LineSentenceKind::Gll},
    };
    for (const Entry& entry : kTypes) {
        if (type == entry.type) {
            return entry.kind;
        }
    }
    return LineSentenceKind::OtherStandard;
}

void LineStatistics::Add(const char* bytes, std::size_t count) {
    counts_.bytes += count;
    for (std::size_t i = 0; i < count; ++i) {
        Take(static_cast<unsigned char>(bytes[i]));
    }
}

void LineStatistics::Begin() {
    state_ = State::Body;
    length_ = 0;
    sum_ = 0;
    addressLength_ = 0;
    addressDone_ = false;
    checksumDigits_ = 0;
    checksumValue_ = 0;
    checksumBad_ = false;
}

void LineStatistics::Take(unsigned char b) {
    switch (state_) {
        case State::Between:
            if (StartsSentence(b)) {
                Begin();
            } else if (b != '\r' && b != '\n') {
                ++counts_.noiseBytes;  // line ends between sentences are no noise
            }
            return;
        case State::Overlong:
            // The rest of a line too long to keep belongs to it, up to its line feed.
            if (b == '\n') {
                state_ = State::Between;
            } else if (StartsSentence(b)) {
                Begin();
            }
            return;
        case State::Body:
        case State::Checksum:
            break;
    }
    if (StartsSentence(b)) {
        ++counts_.cut;
        Begin();
        return;
    }
    if (b == '\n') {
        Finish();
        return;
    }
    if (++length_ > kMaxSentence - 1) {  // the line feed needs the last place
        ++counts_.overlong;
        state_ = State::Overlong;
        return;
    }
    if (state_ == State::Body) {
        if (b == '*') {
            state_ = State::Checksum;
            return;
        }
        sum_ ^= b;
        if (!addressDone_) {
            // A sentence cut short within its address ends with the carriage return.
            if (b == ',' || b == '\r' || addressLength_ == AddressCount::kMaxLength) {
                addressDone_ = true;
            } else {
                address_[addressLength_++] = static_cast<char>(b);
            }
        }
        return;
    }
    if (b == '\r') {
        return;  // the carriage return before the line feed
    }
    const int digit = HexValue(b);
    if (digit < 0 || checksumDigits_ == 2) {
        checksumBad_ = true;
        return;
    }
    checksumValue_ = checksumValue_ * 16 + digit;
    ++checksumDigits_;
}

void LineStatistics::Finish() {
    ++counts_.sentences;
    if (state_ == State::Body) {
        ++counts_.noChecksum;
    } else if (!checksumBad_ && checksumDigits_ == 2 && checksumValue_ == sum_) {
        ++counts_.checksumOk;
    } else {
        ++counts_.checksumErrors;
    }
    const std::string_view address(address_, addressLength_);
    ++counts_.byKind[static_cast<std::size_t>(KindOf(address))];
    CountAddress();
    state_ = State::Between;
}

void LineStatistics::CountAddress() {
    for (std::size_t i = 0; i < addressesUsed_; ++i) {
        AddressCount& entry = addresses_[i];
        if (std::strlen(entry.address) == addressLength_ &&
            std::memcmp(entry.address, address_, addressLength_) == 0) {
            ++entry.count;
            return;
        }
    }
    if (addressesUsed_ < kMaxAddresses && addressLength_ > 0) {
        AddressCount& entry = addresses_[addressesUsed_++];
        std::memcpy(entry.address, address_, addressLength_);
        entry.address[addressLength_] = '\0';
        entry.count = 1;
    }
}
