#include "DecodeOptions.h"

#include <charconv>
#include <cmath>

#include "MeasurementOptions.h"

namespace {

bool ParseBaud(const std::string& value, DecodeOptions& options) {
    if (value == "auto") {
        options.detectBaudRate = true;
        return true;
    }
    std::int32_t rate = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, rate);
    if (ec != std::errc() || ptr != end || rate <= 0) {
        return false;
    }
    options.baudRate = rate;
    return true;
}

bool ParseDuration(const std::string& value, DecodeOptions& options) {
    double seconds = 0.0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, seconds, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(seconds) || seconds <= 0.0) {
        return false;
    }
    options.durationSeconds = seconds;
    return true;
}

// Applies one "--name" or "--name=value"; false when it is unknown or its value is bad.
bool ApplyOption(const std::string& argument, DecodeOptions& options, std::string& error) {
    if (const std::optional<bool> applied = ApplyMeasurementOption(argument, options, error)) {
        return *applied;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
    if (equals == std::string::npos) {
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--stats") {
            options.stats = true;
        } else {
            error = "unknown option " + argument;
            return false;
        }
        return true;
    }
    if (name == "--baud") {
        if (!ParseBaud(value, options)) {
            error = "--baud: '" + value + "' is neither a speed in baud nor auto";
            return false;
        }
        return true;
    }
    if (name == "--systems") {
        if (value != "gps" && value != "all") {
            error = "--systems: '" + value + "' is neither gps nor all";
            return false;
        }
        options.systems = value == "all" ? DecodeSystems::All : DecodeSystems::Gps;
        return true;
    }
    if (name == "--duration") {
        if (!ParseDuration(value, options)) {
            error = "--duration: '" + value + "' is not a number of seconds above 0";
            return false;
        }
        return true;
    }
    error = "unknown option " + argument;
    return false;
}

}  // namespace

std::optional<DecodeOptions> DecodeOptions::Parse(const std::vector<std::string>& arguments,
                                                  std::string& error) {
    DecodeOptions options;
    bool inputGiven = false;
    for (const std::string& argument : arguments) {
        if (argument.size() > 1 && argument[0] == '-') {
            if (!ApplyOption(argument, options, error)) {
                return std::nullopt;
            }
        } else if (inputGiven) {
            error = "more than one input";
            return std::nullopt;
        } else {
            options.input = argument;
            inputGiven = true;
        }
    }
    if (!CheckMeasurementOptions(options, error)) {
        return std::nullopt;
    }
    return options;
}
