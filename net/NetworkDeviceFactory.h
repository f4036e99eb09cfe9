#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "SocketOpen.h"
#include "serial/DeviceFactory.h"

// Where a socket opened beforehand, off the window's thread, waits to be taken: the socket
// (or the reason there is none) for `path`, or nullopt when nothing was opened for it.
using PreparedSocket = std::function<std::optional<SocketOpenResult>(const std::string& path)>;

// Opens network sources ("gpsd://", "tcp://", "udp://") as SocketDevice and hands every
// other name to the serial factory, so TComm serves both alike. A socket prepared
// beforehand is taken at once; otherwise opening takes at most a few seconds (name lookup
// and connect are bounded).
class NetworkDeviceFactory : public DeviceFactory {
public:
    // A null factory opens real terminal devices.
    explicit NetworkDeviceFactory(std::unique_ptr<DeviceFactory> serial = nullptr,
                                  PreparedSocket prepared = nullptr);

    OpenResult Open(const std::string& path) override;

private:
    std::unique_ptr<DeviceFactory> serial_;
    PreparedSocket prepared_;
};
