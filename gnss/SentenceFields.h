#pragma once

#include <array>
#include <string_view>

// One sentence split at its commas: field 0 is the address ("GNGSV"). A leading "$", the
// checksum "*hh" (right or wrong) and the line end are not part of any field.
class SentenceFields {
public:
    // More fields than any sentence the decoder reads has; the count goes on past them.
    static constexpr int kMaxFields = 32;

    explicit SentenceFields(std::string_view sentence);

    // How many fields the sentence has, including the address and any beyond kMaxFields.
    int Count() const { return count_; }

    // Field `index`; empty when the sentence has no such field or it lies beyond kMaxFields.
    std::string_view operator[](int index) const {
        return index >= 0 && index < count_ && index < kMaxFields
                   ? fields_[static_cast<std::size_t>(index)]
                   : std::string_view();
    }

private:
    std::array<std::string_view, kMaxFields> fields_{};
    int count_ = 0;
};
