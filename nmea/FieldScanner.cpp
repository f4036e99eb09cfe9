#include "FieldScanner.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) {
        ++p;
    }
    return p;
}

}  // namespace

void FieldScanner::SkipSpace() {
    while (IsSpace(*cursor_)) {
        ++cursor_;
    }
}

bool FieldScanner::Literal(const char* literal) {
    const char* p = cursor_;
    for (; *literal != '\0'; ++literal, ++p) {
        if (*p != *literal) {
            return false;
        }
    }
    cursor_ = p;
    return true;
}

bool FieldScanner::IntOrEmpty(std::int32_t* target) {
    const char next = *cursor_;
    if (next == ',' || next == '*' || next == '\r' || next == '\n' || next == '\0') {
        *target = 0;
        ++stored_;
        return true;
    }
    return Int(target);
}

bool FieldScanner::Int(std::int32_t* target, int width) {
    SkipSpace();
    const int limit = width > 0 ? width : std::numeric_limits<int>::max();
    const char* p = cursor_;
    int used = 0;
    bool negative = false;
    if ((*p == '+' || *p == '-') && used < limit) {
        negative = *p == '-';
        ++p;
        ++used;
    }
    // Accumulate in 64 bits, saturating, then wrap to 32 bits as a C conversion does.
    // Digits stop counting below kSaturation / 10, so the product never overflows.
    std::int64_t magnitude = 0;
    int digits = 0;
    constexpr std::int64_t kSaturation = std::int64_t{1} << 62;
    while (used < limit && IsDigit(*p)) {
        if (magnitude < kSaturation / 10) {
            magnitude = magnitude * 10 + (*p - '0');
        }
        ++p;
        ++used;
        ++digits;
    }
    if (digits == 0) {
        return false;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    *target = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    cursor_ = p;
    ++stored_;
    return true;
}

bool FieldScanner::Float(float* target) {
    SkipSpace();
    const char* start = cursor_;
    const char* p = start;
    if (*p == '+' || *p == '-') {
        ++p;
    }
    const char* mantissa = p;
    p = SkipDigits(p);
    bool anyDigit = p != mantissa;
    if (*p == '.') {
        const char* fraction = p + 1;
        const char* afterFraction = SkipDigits(fraction);
        anyDigit = anyDigit || afterFraction != fraction;
        p = afterFraction;
    }
    if (!anyDigit) {
        return false;
    }
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-') {
            ++exponent;
        }
        const char* afterExponent = SkipDigits(exponent);
        if (afterExponent != exponent) {
            p = afterExponent;
        }
    }
    // from_chars takes no leading plus sign.
    const char* number = *start == '+' ? start + 1 : start;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(number, p, value, std::chars_format::general);
    if (error != std::errc() || end != p || !std::isfinite(value)) {
        return false;
    }
    *target = value;
    cursor_ = p;
    ++stored_;
    return true;
}

bool FieldScanner::Char(char* target) {
    if (*cursor_ == '\0') {
        return false;
    }
    *target = *cursor_++;
    ++stored_;
    return true;
}

bool FieldScanner::SkipWord() {
    SkipSpace();
    if (*cursor_ == '\0') {
        return false;
    }
    while (*cursor_ != '\0' && !IsSpace(*cursor_)) {
        ++cursor_;
    }
    return true;
}
