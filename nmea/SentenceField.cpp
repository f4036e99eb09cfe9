#include "SentenceField.h"

std::string_view SentenceField(std::string_view sentence, int index) {
    sentence = sentence.substr(0, sentence.find('*'));
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = sentence.find(',');
        if (comma == std::string_view::npos) {
            return {};
        }
        sentence.remove_prefix(comma + 1);
    }
    return sentence.substr(0, sentence.find(','));
}

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}
