// gpsd's stream and the share's line assembly, fed arbitrary bytes in arbitrary pieces.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "GpsdLineFilter.h"
#include "LineAssembler.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte sets the piece size, so that lines are split at every place.
    const std::size_t piece = 1 + data[0] % 64;
    const std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);

    GpsdLineFilter filter;
    LineAssembler assembler;
    std::string filtered;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        std::vector<char> chunk(stream.begin() + at,
                                stream.begin() + std::min(stream.size(), at + piece));
        const std::size_t kept = filter.Filter(chunk.data(), chunk.size());
        FUZZ_CHECK(kept <= chunk.size());
        filtered.append(chunk.data(), kept);
        assembler.Feed(chunk.data(), kept, [&](std::string_view line) {
            FUZZ_CHECK(!line.empty() && line.size() <= LineAssembler::kMaxLine);
            FUZZ_CHECK(line.find('\n') == std::string_view::npos);
            FUZZ_CHECK(line.back() != '\r' && line.front() != '\r');
            FUZZ_CHECK(line.front() != '{');
            lines.emplace_back(line);
        });
    }
    FUZZ_CHECK(filtered == Expected(stream));
    // The lines given are the complete lines of the filtered stream, told apart here the
    // simple way: CRs at either end dropped, empty and overlong lines left out.
    std::vector<std::string> expected;
    for (std::size_t at = 0, end; (end = filtered.find('\n', at)) != std::string::npos;
         at = end + 1) {
        std::string line = filtered.substr(at, end - at);
        const bool overlong = line.size() > LineAssembler::kMaxLine;
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line.erase(0, line.find_first_not_of('\r'));
        if (!overlong && !line.empty()) {
            expected.push_back(line);
        }
    }
    FUZZ_CHECK(lines == expected);
    return 0;
}
