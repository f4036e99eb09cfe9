#include "SentenceTimeline.h"

#include <fstream>

namespace {

// The sentence in `line`: from its "$" to before any CR or LF; empty without a "$".
std::string SentenceIn(const std::string& line) {
    const std::size_t dollar = line.find('$');
    if (dollar == std::string::npos) {
        return {};
    }
    std::size_t end = line.size();
    while (end > dollar && (line[end - 1] == '\r' || line[end - 1] == '\n')) {
        --end;
    }
    return line.substr(dollar, end - dollar);
}

}  // namespace

SentenceTimeline SentenceTimeline::FromStampFile(const std::string& path) {
    SentenceTimeline timeline;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos || blank == 0) {
            continue;
        }
        timeline.Add(std::stoll(line.substr(0, blank)), SentenceIn(line.substr(blank + 1)));
    }
    return timeline;
}

void SentenceTimeline::Add(std::int64_t nanos, std::string text) {
    if (!text.empty()) {
        entries_.push_back({nanos, std::move(text)});
    }
}

void SentenceTimeline::AddBytes(const char* data, std::size_t count, std::int64_t nanos) {
    for (std::size_t i = 0; i < count; ++i) {
        partial_ += data[i];
        if (data[i] == '\n') {
            Add(nanos, SentenceIn(partial_));
            partial_.clear();
        }
    }
}

std::vector<long> SentenceTimeline::MatchIn(const SentenceTimeline& earlier) const {
    std::vector<long> matches;
    matches.reserve(entries_.size());
    const auto& seen = earlier.entries_;
    std::size_t next = 0;
    for (const Entry& entry : entries_) {
        std::size_t at = next;
        while (at < seen.size() && seen[at].text != entry.text) {
            ++at;
        }
        if (at < seen.size()) {
            matches.push_back(static_cast<long>(at));
            next = at + 1;
        } else {
            matches.push_back(-1);
        }
    }
    return matches;
}
