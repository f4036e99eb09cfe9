#include "SentenceFields.h"

SentenceFields::SentenceFields(std::string_view sentence) {
    if (!sentence.empty() && sentence.front() == '$') {
        sentence.remove_prefix(1);
    }
    // One pass: the fields end at the checksum or the line end, whichever comes first.
    std::size_t start = 0;
    std::size_t i = 0;
    for (; i < sentence.size(); ++i) {
        const char c = sentence[i];
        if (c == '*' || c == '\r' || c == '\n') {
            break;
        }
        if (c == ',') {
            if (count_ < kMaxFields) {
                fields_[static_cast<std::size_t>(count_)] = sentence.substr(start, i - start);
            }
            ++count_;
            start = i + 1;
        }
    }
    if (count_ < kMaxFields) {
        fields_[static_cast<std::size_t>(count_)] = sentence.substr(start, i - start);
    }
    ++count_;
}
