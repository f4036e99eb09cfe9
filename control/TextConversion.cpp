#include "TextConversion.h"

#include <charconv>
#include <cmath>
#include <string>

#include "ConvertError.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// from_chars takes no leading plus sign; a single one is allowed here.
std::string_view WithoutPlus(std::string_view number) {
    if (number.size() > 1 && number.front() == '+' && number[1] != '-' && number[1] != '+') {
        number.remove_prefix(1);
    }
    return number;
}

}  // namespace

std::int32_t StrToInt(std::string_view text) {
    const std::string_view number = WithoutPlus(TrimBlanks(text));
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return value;
}

double StrToFloat(std::string_view text) {
    const std::string_view number = WithoutPlus(TrimBlanks(text));
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::general);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        !std::isfinite(value)) {
        throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
    }
    return value;
}
