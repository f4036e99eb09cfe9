#include "RestartCommand.h"

#include <ctime>

#include "CommandFraming.h"
#include "InitCommand.h"
#include "TextConversion.h"

const char* RestartModeName(RestartMode mode) {
    switch (mode) {
        case RestartMode::Hot:
            return "hot";
        case RestartMode::Warm:
            return "warm";
        case RestartMode::Cold:
            return "cold";
    }
    return "";
}

std::optional<RestartMode> ParseRestartMode(std::string_view name) {
    for (const RestartMode mode : {RestartMode::Hot, RestartMode::Warm, RestartMode::Cold}) {
        if (name == RestartModeName(mode)) {
            return mode;
        }
    }
    return std::nullopt;
}

std::string RestartCommandBytes(const InitSettings& settings, RestartMode mode,
                                const CalendarTime& now) {
    // The dialog checks that the position texts are numbers; the command carries the texts.
    StrToFloat(settings.lat);
    StrToFloat(settings.lon);
    StrToFloat(settings.height);
    const GpsTime time = CalendarToGpsTime(now);
    const std::string body = InitCommandBody(
        InitCommand{settings.lat, settings.lon, settings.height, settings.clockoffset,
                    time.timeOfWeek, time.week, settings.channels, static_cast<int>(mode)});
    CommandBuffer buffer;
    return std::string(buffer.data(), FrameCommand(body, buffer));
}

CalendarTime LocalCalendarTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}
