#pragma once

#include <cstdint>
#include <string_view>

// Conversions of the user's texts. Both accept blanks around the number; anything
// else that is not part of the number throws ConvertError with the message
// "'<text>' is not a valid integer value" or "'<text>' is not a valid floating point value".
// Numbers use "." as the decimal point whatever the locale.
std::int32_t StrToInt(std::string_view text);
double StrToFloat(std::string_view text);
