// gpsd's stream and the share's sentence assembly, fed arbitrary bytes in arbitrary pieces.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "GpsdLineFilter.h"
#include "SentenceAssembler.h"

namespace {

// The filter's result for the whole stream at once: every line that does not start with
// '{', bare line ends included.
std::string Expected(const std::string& stream) {
    std::string kept;
    bool lineStart = true;
    bool drop = false;
    for (const char c : stream) {
        if (lineStart && c != '\r' && c != '\n') {
            drop = c == '{';
            lineStart = false;
        }
        if (!drop) {
            kept += c;
        }
        if (c == '\n') {
            lineStart = true;
            drop = false;
        }
    }
    return kept;
}

// The sentences of a stream, found the other way round: each line feed ends the sentence
// that begins at the last "$" or "!" before it on its line, unless that holds a zero byte
// or is too long.
std::vector<std::string> ExpectedSentences(const std::string& stream) {
    std::vector<std::string> sentences;
    for (std::size_t at = 0, end; (end = stream.find('\n', at)) != std::string::npos;
         at = end + 1) {
        const std::string line = stream.substr(at, end - at);
        const std::size_t begin = line.find_last_of("$!");
        if (begin == std::string::npos) {
            continue;
        }
        std::string sentence = line.substr(begin);
        if (sentence.find('\0') != std::string::npos ||
            sentence.size() > SentenceAssembler::kMaxSentence) {
            continue;
        }
        while (sentence.size() > 1 && sentence.back() == '\r') {
            sentence.pop_back();
        }
        sentences.push_back(sentence);
    }
    return sentences;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte sets the piece size, so that lines are split at every place.
    const std::size_t piece = 1 + data[0] % 64;
    const std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);

    GpsdLineFilter filter;
    SentenceAssembler assembler;
    std::string filtered;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        std::vector<char> chunk(stream.begin() + at,
                                stream.begin() + std::min(stream.size(), at + piece));
        const std::size_t kept = filter.Filter(chunk.data(), chunk.size());
        FUZZ_CHECK(kept <= chunk.size());
        filtered.append(chunk.data(), kept);
        assembler.Feed(chunk.data(), kept, [&](std::string_view sentence) {
            FUZZ_CHECK(!sentence.empty() && sentence.size() <= SentenceAssembler::kMaxSentence);
            FUZZ_CHECK(sentence.front() == '$' || sentence.front() == '!');
            FUZZ_CHECK(sentence.find('\n') == std::string_view::npos);
            lines.emplace_back(sentence);
        });
    }
    FUZZ_CHECK(filtered == Expected(stream));
    const std::vector<std::string> expected = ExpectedSentences(filtered);
    FUZZ_CHECK(lines == expected);
    return 0;
}
