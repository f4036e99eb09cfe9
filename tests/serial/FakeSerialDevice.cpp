#include "FakeSerialDevice.h"

#include <termios.h>

FakeSerialDevice::FakeSerialDevice(std::shared_ptr<FakeLine> line) : line_(std::move(line)) {
    line_->SetInUse(true);
}

FakeSerialDevice::~FakeSerialDevice() {
    line_->SetInUse(false);
}

void FakeSerialDevice::ApplyLineSettings(const LineSettings& settings) {
    line_->RecordApplied(settings);
}

void FakeSerialDevice::Purge(PurgeDirection direction) {
    ::tcflush(line_->Slave(), direction == PurgeDirection::Input ? TCIFLUSH : TCOFLUSH);
}
