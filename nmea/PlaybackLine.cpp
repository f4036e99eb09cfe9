#include "PlaybackLine.h"

#include <string_view>

namespace {

// Field `index` (0 = the address) of a comma-separated sentence, without the checksum.
std::string_view Field(std::string_view sentence, int index) {
    sentence = sentence.substr(0, sentence.find('*'));
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = sentence.find(',');
        if (comma == std::string_view::npos) {
            return {};
        }
        sentence.remove_prefix(comma + 1);
    }
    return sentence.substr(0, sentence.find(','));
}

bool Digits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// "hhmmss" with an optional fraction; false for anything else.
bool ParseUtc(std::string_view field, double& seconds) {
    if (field.size() < 6 || !Digits(field.substr(0, 6))) {
        return false;
    }
    double fraction = 0.0;
    if (field.size() > 6) {
        if (field[6] != '.' || !Digits(field.substr(7))) {
            return false;
        }
        double scale = 0.1;
        for (const char c : field.substr(7)) {
            fraction += (c - '0') * scale;
            scale /= 10;
        }
    }
    const int hour = TwoDigits(field, 0);
    const int minute = TwoDigits(field, 2);
    const int second = TwoDigits(field, 4);
    if (hour > 23 || minute > 59 || second > 60) {
        return false;
    }
    seconds = hour * 3600 + minute * 60 + second + fraction;
    return true;
}

}  // namespace

PlaybackLineInfo InspectPlaybackLine(const char* text, int length) {
    std::string_view line(text, static_cast<std::size_t>(length > 0 ? length : 0));
    if (!line.empty() && line.front() == '$') {
        line.remove_prefix(1);
    }
    PlaybackLineInfo info;
    const std::string_view address = Field(line, 0);
    if (address.size() != 5) {
        return info;
    }
    const std::string_view kind = address.substr(2);
    const bool gga = kind == "GGA";
    const bool rmc = kind == "RMC";
    if (!(gga || rmc) || !ParseUtc(Field(line, 1), info.utcSeconds)) {
        return info;
    }
    info.timed = true;
    if (address.substr(0, 2) == "GP") {
        // GGA: time, lat, N, lon, E, quality; RMC: time, status, lat, N, lon, E.
        const int lat = gga ? 2 : 3;
        const bool valid =
            gga ? !Field(line, 6).empty() && Field(line, 6) != "0" : Field(line, 2) == "A";
        info.position = valid && !Field(line, lat).empty() && !Field(line, lat + 2).empty();
    }
    return info;
}
