#include "NmeaText.h"

#include <cmath>
#include <cstdio>

namespace kelmsim {

std::uint8_t nmeaChecksum(std::string_view payload) {
    std::uint8_t sum = 0;
    for (char c : payload) {
        sum ^= static_cast<std::uint8_t>(c);
    }
    return sum;
}

std::string frameSentence(std::string_view payload, bool withChecksum) {
    std::string out;
    out.reserve(payload.size() + 6);
    out += '$';
    out += payload;
    if (withChecksum) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", nmeaChecksum(payload));
        out += '*';
        out += hex;
    }
    out += "\r\n";
    return out;
}

namespace {

// Degrees and minutes with four decimals, rounded once on the whole value so that a
// minute value never prints as 60.0000.
std::string formatAngle(double degrees, int degreeDigits, char positive, char negative) {
    const long long tenThousandthMinutes = std::llround(std::fabs(degrees) * 600000.0);
    const long long whole = tenThousandthMinutes / 600000;
    const long long rest = tenThousandthMinutes % 600000;
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld%02lld.%04lld,%c", degreeDigits, whole, rest / 10000,
                  rest % 10000, degrees < 0 ? negative : positive);
    return text;
}

}  // namespace

std::string formatLatitude(double degrees) {
    return formatAngle(degrees, 2, 'N', 'S');
}

std::string formatLongitude(double degrees) {
    return formatAngle(degrees, 3, 'E', 'W');
}

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

std::string printable(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        }
    }
    return out;
}

}  // namespace kelmsim
