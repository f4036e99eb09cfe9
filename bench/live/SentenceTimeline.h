#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Sentences in the order they passed one point of the road, each with the monotonic time
// (nanoseconds) it passed: written by the simulator, received by the program, shown.
class SentenceTimeline {
public:
    struct Entry {
        std::int64_t nanos = 0;
        std::string text;  // from "$" to before the line end
    };

    // A kelmstar-sim --timestamps file: "<nanoseconds> <sentence>" lines.
    static SentenceTimeline FromStampFile(const std::string& path);

    void Add(std::int64_t nanos, std::string text);
    // Bytes of a stream at time `nanos`: every line they complete passes then.
    void AddBytes(const char* data, std::size_t count, std::int64_t nanos);

    const std::vector<Entry>& Entries() const { return entries_; }

    // For each entry, the index of the same sentence in `earlier`, which saw them first in
    // the same order, or -1 when it has none there.
    std::vector<long> MatchIn(const SentenceTimeline& earlier) const;

private:
    std::vector<Entry> entries_;
    std::string partial_;
};
