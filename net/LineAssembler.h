#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Cuts a byte stream into lines (ended by LF, the CRs around them dropped). A line longer than
// kMaxLine is not a sentence: it is skipped whole, and the line buffer never grows.
class LineAssembler {
public:
    static constexpr std::size_t kMaxLine = 512;

    // Calls `onLine(std::string_view)` for every complete, non-empty line in the bytes.
    template <typename OnLine>
    void Feed(const char* data, std::size_t count, OnLine&& onLine) {
        for (std::size_t i = 0; i < count; ++i) {
            if (data[i] == '\n') {
                if (const std::string_view line = Line(); !overlong_ && !line.empty()) {
                    onLine(line);
                }
                length_ = 0;
                overlong_ = false;
            } else if (length_ < kMaxLine) {
                line_[length_++] = data[i];
            } else {
                overlong_ = true;
            }
        }
    }

    // Forgets a partial line (a new source starts).
    void Reset() {
        length_ = 0;
        overlong_ = false;
    }

private:
    // Without the CRs around it: a receiver that ends its lines with LF CR puts the CR at
    // the front of the next line.
    std::string_view Line() const {
        std::size_t begin = 0;
        std::size_t end = length_;
        while (end > begin && line_[end - 1] == '\r') {
            --end;
        }
        while (begin < end && line_[begin] == '\r') {
            ++begin;
        }
        return {line_.data() + begin, end - begin};
    }

    std::array<char, kMaxLine> line_{};
    std::size_t length_ = 0;
    bool overlong_ = false;
};
