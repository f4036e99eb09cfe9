#include "FieldValue.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kMillisecondsPerHour = 3'600'000;
constexpr int kMillisecondsPerMinute = 60'000;

std::string_view Trimmed(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// ddmm.mmm or dddmm.mmm as unsigned degrees; minutes must stay below 60.
std::optional<double> DegreesMinutes(std::string_view value, double maxDegrees) {
    const std::optional<double> raw = RealField(value);
    if (!raw || *raw < 0.0) {
        return std::nullopt;
    }
    const double degrees = std::floor(*raw / 100.0);
    const double minutes = *raw - degrees * 100.0;
    const double result = degrees + minutes / 60.0;
    if (minutes >= 60.0 || result > maxDegrees) {
        return std::nullopt;
    }
    return result;
}

}  // namespace

std::optional<int> IntField(std::string_view field) {
    field = Trimmed(field);
    int value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> RealField(std::string_view field) {
    field = Trimmed(field);
    double value = 0.0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> CountField(std::string_view field) {
    const std::optional<int> value = IntField(field);
    return value && *value >= 0 ? value : std::nullopt;
}

std::optional<double> NonNegativeField(std::string_view field) {
    const std::optional<double> value = RealField(field);
    return value && *value >= 0.0 ? value : std::nullopt;
}

std::optional<double> CourseField(std::string_view field) {
    const std::optional<double> value = NonNegativeField(field);
    return value && *value <= 360.0 ? value : std::nullopt;
}

std::optional<int> HexDigitField(std::string_view field) {
    field = Trimmed(field);
    if (field.size() != 1) {
        return std::nullopt;
    }
    const char c = field[0];
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

std::optional<UtcTime> TimeField(std::string_view field) {
    field = Trimmed(field);
    if (field.size() < 6) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (!IsDigit(field[i])) {
            return std::nullopt;
        }
    }
    int milliseconds = 0;
    if (field.size() > 6) {
        if (field[6] != '.') {
            return std::nullopt;
        }
        int scale = 100;
        for (std::size_t i = 7; i < field.size(); ++i) {
            if (!IsDigit(field[i])) {
                return std::nullopt;
            }
            milliseconds += (field[i] - '0') * scale;
            scale /= 10;
        }
    }
    const int hour = TwoDigits(field, 0);
    const int minute = TwoDigits(field, 2);
    const int second = TwoDigits(field, 4);
    if (hour > 23 || minute > 59 || second > 60) {
        return std::nullopt;
    }
    return UtcTime{hour * kMillisecondsPerHour + minute * kMillisecondsPerMinute + second * 1000 +
                   milliseconds};
}

std::optional<CalendarDate> DateField(std::string_view field) {
    field = Trimmed(field);
    if (field.size() != 6) {
        return std::nullopt;
    }
    for (const char c : field) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
    }
    const int day = TwoDigits(field, 0);
    const int month = TwoDigits(field, 2);
    const int year = TwoDigits(field, 4);
    if (day < 1 || day > 31 || month < 1 || month > 12) {
        return std::nullopt;
    }
    // Two-digit years: no receiver dates a fix before GPS began in 1980.
    return CalendarDate{year >= 80 ? 1900 + year : 2000 + year, month, day};
}

std::optional<double> LatitudeField(std::string_view value, std::string_view hemisphere) {
    hemisphere = Trimmed(hemisphere);
    if (hemisphere != "N" && hemisphere != "S") {
        return std::nullopt;
    }
    const std::optional<double> degrees = DegreesMinutes(value, 90.0);
    if (!degrees) {
        return std::nullopt;
    }
    return hemisphere == "S" ? -*degrees : *degrees;
}

std::optional<double> LongitudeField(std::string_view value, std::string_view hemisphere) {
    hemisphere = Trimmed(hemisphere);
    if (hemisphere != "E" && hemisphere != "W") {
        return std::nullopt;
    }
    const std::optional<double> degrees = DegreesMinutes(value, 180.0);
    if (!degrees) {
        return std::nullopt;
    }
    return hemisphere == "W" ? -*degrees : *degrees;
}
