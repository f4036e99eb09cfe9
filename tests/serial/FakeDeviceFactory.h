#pragma once

#include <memory>
#include <string>

#include "FakeLine.h"
#include "serial/DeviceFactory.h"

// Opens the one FakeLine under the path it was given; any other path, or a second open
// while the line is in use, fails as a missing or busy device would.
class FakeDeviceFactory : public DeviceFactory {
public:
    FakeDeviceFactory(std::shared_ptr<FakeLine> line, std::string path);

    OpenResult Open(const std::string& path) override;
    // The next opens fail this way (None to open normally again).
    void FailOpens(OpenFailure failure) { failure_ = failure; }

private:
    std::shared_ptr<FakeLine> line_;
    std::string path_;
    OpenFailure failure_ = OpenFailure::None;
};
