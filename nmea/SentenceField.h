#pragma once

#include <string_view>

// Field `index` (0 = the address) of a comma-separated sentence, without the checksum;
// empty when the sentence has fewer fields.
std::string_view SentenceField(std::string_view sentence, int index);

// True when every character is a decimal digit (also for an empty text).
bool AllDigits(std::string_view text);
