#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Cuts sentences out of a byte stream the way the intake frames them: from "$" (or "!", which
// starts an encapsulated sentence such as AIS) to the line feed, wherever they begin. Binary
// frames and unfinished lines before a sentence do not hide it: a "$" or "!" always starts
// one anew. A sentence holding a zero byte, or longer than kMaxSentence, is dropped whole;
// the buffer never grows.
class SentenceAssembler {
public:
    static constexpr std::size_t kMaxSentence = 512;

    // Calls `onSentence(std::string_view)` for every whole sentence in the bytes, from its
    // "$" or "!" up to its line end, without the line end.
    template <typename OnSentence>
    void Feed(const char* data, std::size_t count, OnSentence&& onSentence) {
        for (std::size_t i = 0; i < count; ++i) {
            const char c = data[i];
            if (c == '$' || c == '!') {
                state_ = State::Sentence;
                length_ = 0;
            } else if (state_ == State::Between) {
                continue;
            } else if (c == '\n') {
                if (state_ == State::Sentence) {
                    onSentence(Text());
                }
                state_ = State::Between;
                continue;
            } else if (c == '\0') {
                state_ = State::Between;  // the intake drops such a sentence too
                continue;
            }
            if (state_ != State::Sentence) {
                continue;
            }
            if (length_ == kMaxSentence) {
                state_ = State::Overlong;  // skipped up to its line end
                continue;
            }
            sentence_[length_++] = c;
        }
    }

    // Forgets a partial sentence (a new source starts).
    void Reset() { state_ = State::Between; }

private:
    enum class State { Between, Sentence, Overlong };

    // Without the CRs before the line feed.
    std::string_view Text() const {
        std::size_t end = length_;
        while (end > 1 && sentence_[end - 1] == '\r') {
            --end;
        }
        return {sentence_.data(), end};
    }

    std::array<char, kMaxSentence> sentence_{};
    std::size_t length_ = 0;
    State state_ = State::Between;
};
