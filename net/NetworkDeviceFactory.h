#pragma once

#include <memory>

#include "serial/DeviceFactory.h"

// Opens network sources ("gpsd://", "tcp://", "udp://") as SocketDevice and hands every
// other name to the serial factory, so TComm serves both alike. Opening a network source
// takes at most a few seconds (name lookup and connect are bounded).
class NetworkDeviceFactory : public DeviceFactory {
public:
    // A null factory opens real terminal devices.
    explicit NetworkDeviceFactory(std::unique_ptr<DeviceFactory> serial = nullptr);

    OpenResult Open(const std::string& path) override;

private:
    std::unique_ptr<DeviceFactory> serial_;
};
