#pragma once
// Command-line options of kelmstar-sim. Each option is written "--name=value" or
// "--name value".

#include <stdexcept>
#include <string>
#include <vector>

#include "SimOptions.h"

namespace kelmsim {

class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class OptionParser {
public:
    // Throws OptionError with a message naming the option at fault.
    static SimOptions parse(const std::vector<std::string>& arguments);
    static std::string helpText();
};

}  // namespace kelmsim
