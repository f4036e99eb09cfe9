#include "PlaybackLine.h"

#include <string_view>

#include "SentenceField.h"

namespace {

int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// "hhmmss" with an optional fraction; false for anything else.
bool ParseUtc(std::string_view field, double& seconds) {
    if (field.size() < 6 || !AllDigits(field.substr(0, 6))) {
        return false;
    }
    double fraction = 0.0;
    if (field.size() > 6) {
        if (field[6] != '.' || !AllDigits(field.substr(7))) {
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

PlaybackLineInfo InspectPlaybackLine(const char* text, int length, bool everyTalker) {
    std::string_view line(text, static_cast<std::size_t>(length > 0 ? length : 0));
    if (!line.empty() && line.front() == '$') {
        line.remove_prefix(1);
    }
    PlaybackLineInfo info;
    const std::string_view address = SentenceField(line, 0);
    if (address.size() != 5) {
        return info;
    }
    const std::string_view kind = address.substr(2);
    const bool gga = kind == "GGA";
    const bool rmc = kind == "RMC";
    if (!(gga || rmc) || !ParseUtc(SentenceField(line, 1), info.utcSeconds)) {
        return info;
    }
    info.timed = true;
    if (everyTalker || address.substr(0, 2) == "GP") {
        // GGA: time, lat, N, lon, E, quality; RMC: time, status, lat, N, lon, E.
        const int lat = gga ? 2 : 3;
        const std::string_view status = SentenceField(line, gga ? 6 : 2);
        const bool valid = gga ? !status.empty() && status != "0" : status == "A";
        info.position =
            valid && !SentenceField(line, lat).empty() && !SentenceField(line, lat + 2).empty();
    }
    return info;
}
