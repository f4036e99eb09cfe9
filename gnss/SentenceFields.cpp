#include "SentenceFields.h"

SentenceFields::SentenceFields(std::string_view sentence) {
    if (!sentence.empty() && sentence.front() == '$') {
        sentence.remove_prefix(1);
    }
    const std::size_t end = sentence.find_first_of("*\r\n");
    if (end != std::string_view::npos) {
        sentence = sentence.substr(0, end);
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = sentence.find(',', start);
        const std::size_t stop = comma == std::string_view::npos ? sentence.size() : comma;
        if (count_ < kMaxFields) {
            fields_[static_cast<std::size_t>(count_)] = sentence.substr(start, stop - start);
        }
        ++count_;
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
}
