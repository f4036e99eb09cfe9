#include "NetworkDeviceFactory.h"

#include "NetworkSourceName.h"
#include "SocketDevice.h"
#include "SocketOpen.h"
#include "serial/PosixDeviceFactory.h"

namespace {

SocketDevice::Kind KindFor(NetworkKind kind) {
    switch (kind) {
        case NetworkKind::Gpsd:
            return SocketDevice::Kind::GpsdStream;
        case NetworkKind::Udp:
            return SocketDevice::Kind::Datagram;
        case NetworkKind::Tcp:
            break;
    }
    return SocketDevice::Kind::Stream;
}

}  // namespace

NetworkDeviceFactory::NetworkDeviceFactory(std::unique_ptr<DeviceFactory> serial,
                                           PreparedSocket prepared)
    : serial_(serial ? std::move(serial) : std::make_unique<PosixDeviceFactory>()),
      prepared_(std::move(prepared)) {}

OpenResult NetworkDeviceFactory::Open(const std::string& path) {
    if (!IsNetworkSourceName(path)) {
        return serial_->Open(path);
    }
    std::string error;
    const std::optional<NetworkSource> source = ParseNetworkSource(path, error);
    if (!source) {
        return {nullptr, OpenFailure::CannotOpen, NameErrorText(path, error)};
    }
    std::optional<SocketOpenResult> prepared = prepared_ ? prepared_(path) : std::nullopt;
    SocketOpenResult opened = prepared ? std::move(*prepared) : OpenSourceSocket(*source);
    FileDescriptor fd(opened.fd);
    if (!fd.Valid()) {
        return {nullptr, OpenFailure::CannotOpen, OpenErrorText(*source, opened.error)};
    }
    return {std::make_unique<SocketDevice>(std::move(fd), KindFor(source->kind)),
            OpenFailure::None,
            {}};
}
