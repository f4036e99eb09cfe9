#pragma once

#include <chrono>
#include <functional>
#include <optional>

class ByteSource;
class LineStatistics;
class LogDecoder;

// How a run over a byte source ended.
enum class LiveDecodeEnd { EndOfInput, Stopped, TimeUp, SourceFailed, WriteFailed };

// Reads `source` until its input ends, `stopRequested` says so (asked at least every 100 ms)
// or `duration` has passed, counting every byte in `statistics` and decoding it with
// `decoder`, which is finished at the end.
LiveDecodeEnd RunLiveDecode(ByteSource& source, LogDecoder& decoder, LineStatistics& statistics,
                            std::optional<std::chrono::steady_clock::duration> duration,
                            const std::function<bool()>& stopRequested);
