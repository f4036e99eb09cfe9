#pragma once

#include <stdexcept>
#include <string>

// A receiver command that cannot be built from the values given, so nothing is sent.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
