#include "Command.h"

#include <cstdio>

namespace kelmsim {

const char* resetModeName(ResetMode mode) {
    switch (mode) {
        case ResetMode::Hot:
            return "hot";
        case ResetMode::Warm:
            return "warm";
        case ResetMode::Cold:
            return "cold";
    }
    return "?";
}

namespace {

std::string describeRate(const RateCommand& c) {
    char text[96];
    if (c.interval == 0) {
        std::snprintf(text, sizeof text, "%s off", sentenceName(c.sentence));
    } else {
        std::snprintf(text, sizeof text, "%s every %d s, %s checksum", sentenceName(c.sentence),
                      c.interval, c.withChecksum ? "with" : "without");
    }
    return text;
}

std::string describeReset(const ResetCommand& c) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s start at %.7f %.7f %.1f m, week %d time of week %.0f, clock offset %ld, "
                  "%d channels",
                  resetModeName(c.mode), c.latitude, c.longitude, c.altitude, c.week, c.timeOfWeek,
                  c.clockOffset, c.channels);
    return text;
}

}  // namespace

std::string describe(const Command& command) {
    if (const auto* rate = std::get_if<RateCommand>(&command)) {
        return describeRate(*rate);
    }
    return describeReset(std::get<ResetCommand>(command));
}

}  // namespace kelmsim
