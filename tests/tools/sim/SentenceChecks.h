#pragma once
// Checks on framed NMEA sentences, written independently of the simulator's own helpers.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace simtest {

// "$" + text + "*hh" + CR LF with a correct checksum, printable, at most 82 characters.
inline ::testing::AssertionResult isValidSentence(const std::string& s) {
    if (s.size() > 82) {
        return ::testing::AssertionFailure() << "longer than 82: " << s;
    }
    if (s.size() < 6 || s[0] != '$' || s.substr(s.size() - 2) != "\r\n") {
        return ::testing::AssertionFailure() << "not framed by $ and CR LF: " << s;
    }
    const std::size_t star = s.find('*');
    if (star == std::string::npos || star + 5 != s.size()) {
        return ::testing::AssertionFailure() << "no *hh before the line end: " << s;
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c >= 0x7f) {
            return ::testing::AssertionFailure() << "unprintable byte in: " << s;
        }
        sum ^= c;
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    if (s.compare(star + 1, 2, hex) != 0) {
        return ::testing::AssertionFailure() << "checksum should be " << hex << ": " << s;
    }
    return ::testing::AssertionSuccess();
}

// Comma-separated fields of the text between "$" and "*" (or the line end); field 0 is the
// address, for example "GPGGA".
inline std::vector<std::string> fieldsOf(const std::string& s) {
    std::size_t end = s.find('*');
    if (end == std::string::npos) {
        end = s.find('\r');
    }
    const std::string body = s.substr(1, end - 1);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = body.find(',', start);
        fields.push_back(body.substr(start, comma - start));
        if (comma == std::string::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

// Framed body with two lowercase hex digits, as the control program sends its commands.
inline std::string commandFrame(const std::string& bodyWithoutDollar) {
    unsigned sum = 0;
    for (char c : bodyWithoutDollar) {
        sum ^= static_cast<unsigned char>(c);
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", sum);
    return "$" + bodyWithoutDollar + "*" + hex + "\r\n";
}

}  // namespace simtest
