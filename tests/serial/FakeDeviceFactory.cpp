#include "FakeDeviceFactory.h"

#include "FakeSerialDevice.h"

FakeDeviceFactory::FakeDeviceFactory(std::shared_ptr<FakeLine> line, std::string path)
    : line_(std::move(line)), path_(std::move(path)) {}

OpenResult FakeDeviceFactory::Open(const std::string& path) {
    if (failure_ != OpenFailure::None) {
        return {nullptr, failure_};
    }
    if (path != path_ || line_->InUse()) {
        return {nullptr, OpenFailure::CannotOpen};
    }
    return {std::make_unique<FakeSerialDevice>(line_), OpenFailure::None};
}
