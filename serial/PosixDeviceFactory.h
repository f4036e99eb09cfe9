#pragma once

#include "serial/DeviceFactory.h"

// Opens terminal devices exclusively, non-blocking, as PosixSerialDevice.
class PosixDeviceFactory : public DeviceFactory {
public:
    OpenResult Open(const std::string& path) override;
};
