#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "GpsTime.h"
#include "InitSettings.h"

// The receiver's reset modes, by the code the restart command carries.
enum class RestartMode { Hot = 1, Warm = 2, Cold = 4 };

// "hot", "warm", "cold".
const char* RestartModeName(RestartMode mode);
std::optional<RestartMode> ParseRestartMode(std::string_view name);

// The bytes the "Receiver Initialization" dialog writes when its stored values are
// `settings` (as read from the settings file), the reset mode `mode` and the date and time
// `now` (the computer's clock, as "Use Current DOS Time" takes it): the "$PQKL104" command
// with its checksum, five times over. Throws ConvertError for a position text that is not a
// number and CommandError for a command that cannot be built, as the dialog refuses them.
std::string RestartCommandBytes(const InitSettings& settings, RestartMode mode,
                                const CalendarTime& now);

// The computer's local calendar date and time, as they are, no time-zone correction.
CalendarTime LocalCalendarTime();
