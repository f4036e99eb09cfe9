#include "LogDecoder.h"

#include "EpochReport.h"
#include "FrameSentence.h"
#include "JsonReport.h"

namespace {
constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 16;
}  // namespace

// Every satellite system's decoder takes the same framed sentences as the program's own.
void LogDecoder::SentenceFramed(const char* text) {
    if (framed_) {
        framed_(text);
    }
    if (systems_ == DecodeSystems::All && gnss_.Decode(text)) {
        AppendEpochReport(pending_, gnss_.LastEpoch());
    }
}

void LogDecoder::SentenceDecoded(const char* text, const NavState& nav) {
    if (systems_ == DecodeSystems::Gps) {
        AppendJsonReport(pending_, text, nav);
    }
    ++decoded_;
}

// Fills the ring no further than it holds, and runs decode ticks whenever it is
// full, so no byte is dropped however fast the input comes.
void LogDecoder::Put(const unsigned char* bytes, std::size_t count) {
    std::size_t i = 0;
    while (i < count) {
        while (i < count && buffer_.Count() < ReceiveBuffer::kCapacity) {
            buffer_.Put(bytes[i++]);
        }
        if (buffer_.Count() == ReceiveBuffer::kCapacity) {
            while (buffer_.Count() >= DecodeTick::kFrameThreshold) {
                tick_.Run(*this);
            }
        }
    }
}

bool LogDecoder::Flush() {
    if (pending_.empty()) {
        return true;
    }
    const bool ok = std::fwrite(pending_.data(), 1, pending_.size(), output_) == pending_.size();
    pending_.clear();
    return ok;
}

bool LogDecoder::Decode(std::FILE* input) {
    char chunk[kReadChunk];
    bool ok = true;
    while (ok) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, input);
        if (got == 0) {
            break;
        }
        ok = Feed(chunk, got);
    }
    ok = ok && !std::ferror(input);
    return Finish() && ok;
}

bool LogDecoder::Feed(const char* bytes, std::size_t count) {
    Put(reinterpret_cast<const unsigned char*>(bytes), count);
    return pending_.size() < kFlushAt || Flush();
}

bool LogDecoder::CatchUp() {
    // A sentence still arriving waits for its line end.
    while (buffer_.Count() >= DecodeTick::kFrameThreshold && HoldsCompleteSentence(buffer_) &&
           tick_.Run(*this) > 0) {
    }
    return Flush() && std::fflush(output_) == 0;
}

bool LogDecoder::Finish() {
    while (buffer_.Count() >= DecodeTick::kFrameThreshold) {
        tick_.Run(*this);
    }
    tick_.Drain(*this);
    if (systems_ == DecodeSystems::All && gnss_.Finish()) {
        AppendEpochReport(pending_, gnss_.LastEpoch());
    }
    const bool ok = Flush();
    return ok && std::fflush(output_) == 0;
}
