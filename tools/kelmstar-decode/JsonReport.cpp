#include "JsonReport.h"

#include <charconv>
#include <cstdio>
#include <cstring>

void AppendJsonString(std::string& out, const char* text, std::size_t length) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            // Bytes are shown as Latin-1 code points, so any input gives valid JSON.
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xf];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

namespace {

void AppendFloat(std::string& out, const char* key, float value) {
    AppendJsonKey(out, key);
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendLetter(std::string& out, const char* key, char letter) {
    AppendJsonKey(out, key);
    AppendJsonString(out, &letter, letter == '\0' ? 0 : 1);
}

std::size_t WithoutLineEnd(const char* sentence) {
    std::size_t length = std::strlen(sentence);
    while (length > 0 && (sentence[length - 1] == '\n' || sentence[length - 1] == '\r')) {
        --length;
    }
    return length;
}

void AppendSatellites(std::string& out, const NavState& nav) {
    AppendJsonKey(out, "sats");
    out += '[';
    for (std::size_t i = 0; i < nav.sats.size(); ++i) {
        const SatInView& sat = nav.sats[i];
        out += i == 0 ? "{\"prn\":" : ",{\"prn\":";
        AppendJsonNumber(out, sat.prn);
        AppendJsonInt(out, "elevation", sat.elevation);
        AppendJsonInt(out, "azimuth", sat.azimuth);
        AppendJsonInt(out, "snr", sat.snr);
        out += '}';
    }
    out += ']';
}

}  // namespace

void AppendJsonReport(std::string& out, const char* sentence, const NavState& nav) {
    out += "{\"sentence\":";
    AppendJsonString(out, sentence, WithoutLineEnd(sentence));
    AppendJsonInt(out, "utcHour", nav.utcHour);
    AppendJsonInt(out, "utcMinute", nav.utcMinute);
    AppendFloat(out, "utcSecond", nav.utcSecond);
    AppendFloat(out, "latitude", nav.latitude);
    AppendLetter(out, "latHemisphere", nav.latHemisphere);
    AppendFloat(out, "longitude", nav.longitude);
    AppendLetter(out, "lonHemisphere", nav.lonHemisphere);
    AppendFloat(out, "speedKnots", nav.speedKnots);
    AppendFloat(out, "courseDeg", nav.courseDeg);
    AppendJsonInt(out, "ggaQuality", nav.ggaQuality);
    AppendFloat(out, "altitude", nav.altitude);
    AppendFloat(out, "pdop", nav.pdop);
    AppendFloat(out, "hdop", nav.hdop);
    AppendFloat(out, "vdop", nav.vdop);
    AppendJsonInt(out, "fixMode", nav.fixMode);
    AppendJsonInt(out, "fixAvailable", nav.fixAvailable);
    AppendJsonInt(out, "satsInView", nav.satsInView);
    AppendJsonInt(out, "gsvMessageCount", nav.gsvMessageCount);
    AppendJsonInt(out, "gsvMessageNumber", nav.gsvMessageNumber);
    AppendSatellites(out, nav);
    out += "}\n";
}

void AppendJsonInt(std::string& out, const char* key, long long value) {
    AppendJsonKey(out, key);
    AppendJsonNumber(out, value);
}

void AppendJsonKey(std::string& out, const char* key) {
    out += ",\"";
    out += key;
    out += "\":";
}

void AppendJsonNumber(std::string& out, long long value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendJsonOptional(std::string& out, const char* key, const std::optional<int>& value) {
    AppendJsonKey(out, key);
    if (value) {
        AppendJsonNumber(out, *value);
    } else {
        out += "null";
    }
}

void AppendJsonOptional(std::string& out, const char* key, const std::optional<double>& value) {
    AppendJsonKey(out, key);
    if (!value) {
        out += "null";
        return;
    }
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, *value);
    out.append(digits, result.ptr);
}

void AppendJsonFixed(std::string& out, const char* key, const std::optional<double>& value,
                     int decimals) {
    AppendJsonKey(out, key);
    if (!value) {
        out += "null";
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value);
    out += text;
}
