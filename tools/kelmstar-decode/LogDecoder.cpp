#include "LogDecoder.h"

#include "JsonReport.h"

namespace {
constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 16;
}  // namespace

void LogDecoder::SentenceDecoded(const char* text, const NavState& nav) {
    AppendJsonReport(pending_, text, nav);
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
    unsigned char chunk[kReadChunk];
    bool ok = true;
    while (ok) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, input);
        if (got == 0) {
            break;
        }
        Put(chunk, got);
        if (pending_.size() >= kFlushAt) {
            ok = Flush();
        }
    }
    ok = ok && !std::ferror(input);
    while (buffer_.Count() >= DecodeTick::kFrameThreshold) {
        tick_.Run(*this);
    }
    tick_.Drain(*this);
    ok = Flush() && ok;
    return ok && std::fflush(output_) == 0;
}

bool LogDecoder::Feed(const char* bytes, std::size_t count) {
    Put(reinterpret_cast<const unsigned char*>(bytes), count);
    while (buffer_.Count() >= DecodeTick::kFrameThreshold) {
        tick_.Run(*this);
    }
    return Flush() && std::fflush(output_) == 0;
}

bool LogDecoder::Finish() {
    tick_.Drain(*this);
    return Flush() && std::fflush(output_) == 0;
}
