#pragma once

#include <string>

// "COMn" (n >= 1, any letter case) names /dev/ttyS(n-1); every other name is a device path,
// absolute or relative to the current directory.
std::string DevicePathForPortName(const std::string& name);
