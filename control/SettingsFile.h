#pragma once

#include <cstdint>

#include "InitSettings.h"

// The settings file "pelzo.cfg": twelve values, one per line, in the order of InitSettings.
// Reading accepts any white space between values; an integer is an optionally signed
// decimal number and a text is a run of characters without white space.

inline constexpr const char* kSettingsFileName = "pelzo.cfg";

// The first value of the file, or 0 when the file does not open or does not start with
// an integer.
std::int32_t ReadPortNumber(const char* path = kSettingsFileName);

// The serial port name a stored port number selects: "COM1".."COM4" for 1..4, nullptr for
// any other number (the serial component then keeps its own default name).
const char* StoredPortName(std::int32_t portNumber);

// Reads the values in file order into `settings` and returns how many were read. Reading
// stops at the end of the file or at the first value that does not match (a text longer
// than InitSettings::kMaxTextLength, a number that does not fit 32 bits); the fields from
// there on keep what they held. Returns 0 when the file does not open.
int ReadSettings(InitSettings& settings, const char* path = kSettingsFileName);

// Writes all twelve values into the file at `path` (created when missing, written through a
// symbolic link). The whole content is made before the file is opened, and the old bytes are
// overwritten in place before the file is cut to length, so the file is never left empty or
// cut short by a value that does not convert or by a full disk. Returns false, leaving the
// file as it was, when it cannot be opened for writing (a write-protected file stays as it
// is) or a text is empty or longer than InitSettings::kMaxTextLength (it would not read back).
bool WriteSettings(const InitSettings& settings, const char* path = kSettingsFileName);
