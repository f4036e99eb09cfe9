#include "MeasurementOptions.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

std::optional<double> Number(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// "LAT,LON,ALT" in signed degrees and metres.
std::optional<GeoPoint> ParseReference(const std::string& value) {
    std::array<double, 3> numbers{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = i + 1 < numbers.size() ? value.find(',', start) : value.size();
        if (comma == std::string::npos) {
            return std::nullopt;
        }
        const std::optional<double> number =
            Number(std::string_view(value).substr(start, comma - start));
        if (!number) {
            return std::nullopt;
        }
        numbers[i] = *number;
        start = comma + 1;
    }
    if (std::abs(numbers[0]) > 90.0 || std::abs(numbers[1]) > 180.0) {
        return std::nullopt;
    }
    return GeoPoint{numbers[0], numbers[1], numbers[2]};
}

bool Fail(std::string& error, const std::string& text) {
    error = text;
    return false;
}

}  // namespace

std::optional<bool> ApplyMeasurementOption(const std::string& argument, DecodeOptions& options,
                                           std::string& error) {
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
    if (argument == "--survey") {
        options.survey = true;
        return true;
    }
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    if (name == "--survey") {
        options.survey = true;
        options.surveyReference = ParseReference(value);
        return options.surveyReference ||
               Fail(error, "--survey: '" + value +
                               "' is not LAT,LON,ALT (degrees -90..90, -180..180, metres)");
    }
    if (name == "--ttff") {
        const std::optional<RestartMode> mode = ParseRestartMode(value);
        if (!mode) {
            return Fail(error, "--ttff: '" + value + "' is not hot, warm or cold");
        }
        options.ttff = *mode;
        return true;
    }
    if (name == "--runs") {
        const std::optional<double> runs = Number(value);
        if (!runs || *runs != std::floor(*runs) || *runs < 1 || *runs > TtffPlan::kMaxRuns) {
            return Fail(error, "--runs: '" + value + "' is not a whole number from 1 to " +
                                   std::to_string(TtffPlan::kMaxRuns));
        }
        options.ttffRuns = static_cast<int>(*runs);
        return true;
    }
    if (name == "--timeout") {
        const std::optional<double> seconds = Number(value);
        if (!seconds || *seconds <= 0.0) {
            return Fail(error, "--timeout: '" + value + "' is not a number of seconds above 0");
        }
        options.ttffTimeout = *seconds;
        return true;
    }
    return std::nullopt;
}

bool CheckMeasurementOptions(const DecodeOptions& options, std::string& error) {
    if (!options.ttff && (options.ttffRuns || options.ttffTimeout)) {
        return Fail(error, "--runs and --timeout need --ttff");
    }
    if (options.ttff && (options.survey || options.stats || options.durationSeconds > 0.0)) {
        return Fail(error, "--ttff runs alone: leave out --survey, --stats and --duration");
    }
    return true;
}

TtffPlan TtffPlanOf(const DecodeOptions& options) {
    TtffPlan plan;
    plan.mode = options.ttff.value_or(plan.mode);
    plan.runs = options.ttffRuns.value_or(plan.runs);
    plan.limitSeconds = options.ttffTimeout.value_or(plan.limitSeconds);
    return plan;
}
