#pragma once

#include <memory>
#include <string>

#include "serial/SerialDevice.h"

enum class OpenFailure { None, CannotOpen, NotCommHandle, CannotSetup };

struct OpenResult {
    std::unique_ptr<SerialDevice> device;  // null exactly when failure is not None
    OpenFailure failure = OpenFailure::None;
};

// Opens devices by path for TComm; replaced by a fake in tests.
class DeviceFactory {
public:
    virtual ~DeviceFactory() = default;
    virtual OpenResult Open(const std::string& path) = 0;
};
