#pragma once

#include <stdexcept>
#include <string>

// A text typed by the user that does not convert to the number it must be.
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
