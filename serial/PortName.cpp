#include "serial/PortName.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

bool HasComPrefix(const std::string& name) {
    static constexpr std::string_view kPrefix = "com";
    return name.size() > kPrefix.size() &&
           std::equal(kPrefix.begin(), kPrefix.end(), name.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

std::string DevicePathForPortName(const std::string& name) {
    if (!HasComPrefix(name)) {
        return name;
    }
    const char* first = name.data() + 3;
    const char* last = name.data() + name.size();
    if (!std::all_of(first, last,
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        return name;
    }
    unsigned number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number < 1) {
        return name;
    }
    return "/dev/ttyS" + std::to_string(number - 1);
}
