#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "NavState.h"

// One line of JSON: the framed sentence (without its line end) and every field of
// the navigation record under its own name. Floats are printed in the shortest form
// that reads back to the same 32-bit value.
void AppendJsonReport(std::string& out, const char* sentence, const NavState& nav);

// `length` bytes of `text` as a JSON string; bytes outside printable ASCII are written as
// the Latin-1 code points they are, so any input gives valid JSON.
void AppendJsonString(std::string& out, const char* text, std::size_t length);

// ,"key":value — a field after the first.
void AppendJsonInt(std::string& out, const char* key, long long value);

// ,"key": — the start of a field after the first, its value to follow.
void AppendJsonKey(std::string& out, const char* key);

// A whole number as JSON writes it.
void AppendJsonNumber(std::string& out, long long value);

// ,"key":value or ,"key":null for a value that is missing: a whole number, a real in the
// shortest form that reads back the same, a real to `decimals` places.
void AppendJsonOptional(std::string& out, const char* key, const std::optional<int>& value);
void AppendJsonOptional(std::string& out, const char* key, const std::optional<double>& value);
void AppendJsonFixed(std::string& out, const char* key, const std::optional<double>& value,
                     int decimals);
