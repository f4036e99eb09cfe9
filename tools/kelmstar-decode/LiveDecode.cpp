#include "LiveDecode.h"

#include <algorithm>
#include <array>

#include "ByteSource.h"
#include "LineStatistics.h"
#include "LogDecoder.h"

namespace {

constexpr std::chrono::milliseconds kLongestWait{100};
constexpr std::size_t kChunk = 1 << 16;

}  // namespace

LiveDecodeEnd RunLiveDecode(ByteSource& source, LogDecoder& decoder, LineStatistics& statistics,
                            std::optional<std::chrono::steady_clock::duration> duration,
                            const std::function<bool()>& stopRequested) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::array<char, kChunk> chunk{};
    LiveDecodeEnd end = LiveDecodeEnd::EndOfInput;
    bool written = true;
    while (written) {
        if (stopRequested()) {
            end = LiveDecodeEnd::Stopped;
            break;
        }
        auto wait = kLongestWait;
        if (duration) {
            const auto left = *duration - (Clock::now() - start);
            if (left <= Clock::duration::zero()) {
                end = LiveDecodeEnd::TimeUp;
                break;
            }
            wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(left));
        }
        const ByteSource::ReadResult got = source.Read(chunk.data(), chunk.size(), wait);
        if (got.status == ByteSource::Status::Data) {
            statistics.Add(chunk.data(), got.count);
            written = decoder.Feed(chunk.data(), got.count);
        } else if (got.status == ByteSource::Status::Idle) {
            written = decoder.CatchUp();  // the input pauses: show what came
        } else {
            end = got.status == ByteSource::Status::End ? LiveDecodeEnd::EndOfInput
                                                        : LiveDecodeEnd::SourceFailed;
            break;
        }
    }
    written = decoder.Finish() && written;
    return written ? end : LiveDecodeEnd::WriteFailed;
}
