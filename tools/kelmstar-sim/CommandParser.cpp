#include "CommandParser.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "NmeaText.h"

namespace kelmsim {

namespace {

using Fields = std::vector<std::string_view>;

Fields splitFields(std::string_view body) {
    Fields fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = body.find(',', start);
        fields.push_back(body.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

// Leading blanks are allowed: the control program writes an off flag as "%2d", " 1".
std::string_view trimLeft(std::string_view field) {
    while (!field.empty() && field.front() == ' ') {
        field.remove_prefix(1);
    }
    return field;
}

std::optional<long> toInteger(std::string_view field) {
    field = trimLeft(field);
    long value = 0;
    const auto* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> toReal(std::string_view field) {
    field = trimLeft(field);
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
    }
    double value = 0.0;
    const auto* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value, std::chars_format::fixed);
    if (field.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string badField(const char* name, std::string_view field) {
    return std::string("bad ") + name + " '" + printable(field) + "'";
}

ParsedCommand parseRate(const Fields& f) {
    if (f.size() != 5) {
        return std::string("PQKL103 needs 4 fields, got ") + std::to_string(f.size() - 1);
    }
    const auto code = toInteger(f[1]);
    if (!code || *code < 0 || *code >= kOutputSentenceCount) {
        return badField("message code", f[1]);
    }
    if (!toInteger(f[2])) {
        return badField("second field", f[2]);
    }
    const auto rate = toInteger(f[3]);
    if (!rate || *rate < 0 || *rate > 3600) {
        return badField("rate", f[3]);
    }
    const auto flag = toInteger(f[4]);
    if (!flag || (*flag != 0 && *flag != 1)) {
        return badField("checksum flag", f[4]);
    }
    return Command(
        RateCommand{static_cast<OutputSentence>(*code), static_cast<int>(*rate), *flag == 1});
}

ParsedCommand parseReset(const Fields& f) {
    if (f.size() != 9) {
        return std::string("PQKL104 needs 8 fields, got ") + std::to_string(f.size() - 1);
    }
    ResetCommand c;
    const auto lat = toReal(f[1]);
    if (!lat || std::fabs(*lat) > 90.0) {
        return badField("latitude", f[1]);
    }
    const auto lon = toReal(f[2]);
    if (!lon || std::fabs(*lon) > 180.0) {
        return badField("longitude", f[2]);
    }
    const auto alt = toReal(f[3]);
    if (!alt || *alt < -1000.0 || *alt > 100000.0) {
        return badField("altitude", f[3]);
    }
    const auto offset = toInteger(f[4]);
    if (!offset || *offset < std::numeric_limits<int>::min() ||
        *offset > std::numeric_limits<int>::max()) {
        return badField("clock offset", f[4]);
    }
    const auto tow = toReal(f[5]);
    if (!tow || *tow < 0.0 || *tow >= 604800.0) {
        return badField("time of week", f[5]);
    }
    const auto week = toInteger(f[6]);
    if (!week || *week < 0 || *week > 100000) {
        return badField("week", f[6]);
    }
    const auto channels = toInteger(f[7]);
    if (!channels || *channels < 1 || *channels > 12) {
        return badField("channel count", f[7]);
    }
    const auto mode = toInteger(f[8]);
    if (!mode || *mode < 1 || *mode > 4) {
        return badField("reset mode", f[8]);
    }
    c.latitude = *lat;
    c.longitude = *lon;
    c.altitude = *alt;
    c.clockOffset = *offset;
    c.timeOfWeek = *tow;
    c.week = static_cast<int>(*week);
    c.channels = static_cast<int>(*channels);
    // Code 3 is not sent by the control program; older tools used it for a cold start.
    c.mode = *mode == 1 ? ResetMode::Hot : *mode == 2 ? ResetMode::Warm : ResetMode::Cold;
    return Command(c);
}

}  // namespace

CommandParser::CommandParser(double repeatWindowSeconds) : repeatWindow_(repeatWindowSeconds) {}

ParsedCommand CommandParser::parseSentence(std::string_view s) {
    if (s.empty() || s.front() != '$') {
        return std::string("no '$' at the start");
    }
    const std::size_t star = s.find('*');
    if (star == std::string_view::npos) {
        return std::string("no checksum");
    }
    const std::string_view hex = s.substr(star + 1);
    const auto high = hex.size() == 2 ? hexDigit(hex[0]) : std::nullopt;
    const auto low = hex.size() == 2 ? hexDigit(hex[1]) : std::nullopt;
    if (!high || !low) {
        return "malformed checksum '" + printable(hex) + "'";
    }
    const std::string_view body = s.substr(1, star - 1);
    for (char c : body) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
            return std::string("control or non-ASCII byte in the sentence");
        }
    }
    const int expected = nmeaChecksum(body);
    if (*high * 16 + *low != expected) {
        char text[48];
        std::snprintf(text, sizeof text, "checksum mismatch (computed %02x)", expected);
        return std::string(text);
    }
    const Fields fields = splitFields(body);
    if (fields[0] == "PQKL103") {
        return parseRate(fields);
    }
    if (fields[0] == "PQKL104") {
        return parseReset(fields);
    }
    return "unknown command '" + printable(fields[0]) + "'";
}

std::vector<CommandEvent> CommandParser::feed(std::string_view bytes, double nowSeconds) {
    std::vector<CommandEvent> events;
    for (char c : bytes) {
        if (c == '$') {
            // A new start before a line end: the previous sentence was cut off.
            current_.assign(1, c);
            inSentence_ = true;
            overlong_ = false;
        } else if (!inSentence_) {
            continue;
        } else if (c == '\n') {
            if (auto event = finishSentence(nowSeconds)) {
                events.push_back(std::move(*event));
            }
            inSentence_ = false;
        } else if (current_.size() < kMaxSentence) {
            current_ += c;
        } else {
            overlong_ = true;
        }
    }
    return events;
}

std::optional<CommandEvent> CommandParser::finishSentence(double now) {
    if (!current_.empty() && current_.back() == '\r') {
        current_.pop_back();
    }
    CommandEvent event;
    event.text = printable(current_);
    if (haveLast_ && !overlong_ && current_ == lastText_ && now - lastTime_ <= repeatWindow_) {
        lastTime_ = now;
        event.kind = CommandEvent::Kind::Repeat;
        return event;
    }
    if (overlong_) {
        haveLast_ = false;
        event.text += "...";
        event.reason = "longer than " + std::to_string(kMaxSentence) + " characters";
        return event;
    }
    lastText_ = current_;
    lastTime_ = now;
    haveLast_ = true;
    ParsedCommand parsed = parseSentence(current_);
    if (auto* command = std::get_if<Command>(&parsed)) {
        event.kind = CommandEvent::Kind::Accepted;
        event.command = *command;
    } else {
        event.reason = std::get<std::string>(parsed);
    }
    return event;
}

}  // namespace kelmsim
