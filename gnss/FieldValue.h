#pragma once

#include <optional>
#include <string_view>

#include "GnssEpoch.h"

// The values of single sentence fields. Every reader returns nothing for an empty field or
// one that does not read whole; leading blanks are skipped, as some receivers pad with them.

std::optional<int> IntField(std::string_view field);
std::optional<double> RealField(std::string_view field);

// A count, speed or dilution: nothing when it is below zero.
std::optional<int> CountField(std::string_view field);
std::optional<double> NonNegativeField(std::string_view field);

// A course or direction in degrees, 0 to 360.
std::optional<double> CourseField(std::string_view field);

// One hexadecimal digit, as a signal ID is written.
std::optional<int> HexDigitField(std::string_view field);

// hhmmss or hhmmss.s...; seconds up to 60 for a leap second.
std::optional<UtcTime> TimeField(std::string_view field);

// ddmmyy as RMC writes it; years 80-99 are 1980-1999, the rest 2000-2079.
std::optional<CalendarDate> DateField(std::string_view field);

// ddmm.mmm and its hemisphere letter N or S, as signed degrees (south negative).
std::optional<double> LatitudeField(std::string_view value, std::string_view hemisphere);

// dddmm.mmm and its hemisphere letter E or W, as signed degrees (west negative).
std::optional<double> LongitudeField(std::string_view value, std::string_view hemisphere);
