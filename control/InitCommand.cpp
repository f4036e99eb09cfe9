#include "InitCommand.h"

#include <cstdio>

#include "CommandError.h"
#include "CommandFraming.h"

std::string InitCommandBody(const InitCommand& command) {
    // The numbers need at most 11 characters each; the texts are counted separately so
    // that an over-long text is reported rather than cut off.
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%d,%d,%d,%d,%d*", command.clockoffset,
                  static_cast<int>(command.timeOfWeek), command.week, command.channels,
                  command.resetMode);
    std::string body = "$PQKL104,";
    body.append(command.lat).append(",");
    body.append(command.lon).append(",");
    body.append(command.height).append(",");
    body.append(numbers);
    if (body.size() > kMaxCommandBodyLength) {
        throw CommandError("The initialization command would be " + std::to_string(body.size()) +
                           " characters long; at most " + std::to_string(kMaxCommandBodyLength) +
                           " are allowed, so shorten the position texts");
    }
    return body;
}
