#pragma once

#include <memory>
#include <string>

#include "serial/SerialDevice.h"

enum class OpenFailure { None, CannotOpen, NotCommHandle, CannotSetup };

struct OpenResult {
    OpenResult(std::unique_ptr<SerialDevice> opened = nullptr, OpenFailure why = OpenFailure::None,
               std::string text = {})
        : device(std::move(opened)), failure(why), message(std::move(text)) {}

    std::unique_ptr<SerialDevice> device;  // null exactly when failure is not None
    OpenFailure failure = OpenFailure::None;
    // Replaces the failure's fixed text where a device can say more (a network address).
    std::string message;
};

// Opens devices by path for TComm; replaced by a fake in tests.
class DeviceFactory {
public:
    virtual ~DeviceFactory() = default;
    virtual OpenResult Open(const std::string& path) = 0;
};
