#pragma once

#include <string>

// Whether `argument` is "NAME=VALUE" for the option `name` ("--seconds"); its value then
// goes into `value`.
bool Option(const char* argument, const char* name, std::string& value);
