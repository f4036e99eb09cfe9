#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The values of one receiver initialisation command ("$PQKL104").
struct InitCommand {
    std::string_view lat;  // texts as typed, sent unchanged
    std::string_view lon;
    std::string_view height;
    std::int32_t clockoffset = 0;
    float timeOfWeek = 0.0f;  // sent truncated to whole seconds
    std::int32_t week = 0;
    std::int32_t channels = 0;
    std::int32_t resetMode = 0;  // 1 hot, 2 warm, 4 cold start
};

// The command body, from "$" to "*" without checksum. Throws CommandError when it would
// be longer than kMaxCommandBodyLength.
std::string InitCommandBody(const InitCommand& command);
