#include "FakeSerialDevice.h"

#include <termios.h>

FakeSerialDevice::FakeSerialDevice(std::shared_ptr<FakeLine> line)
    : line_(std::move(line)), tracker_(line_->Status()) {
    line_->SetInUse(true);
}

FakeSerialDevice::~FakeSerialDevice() {
    line_->SetInUse(false);
}

LineEvents FakeSerialDevice::ReadLineEvents() {
    const LineEvents injected = line_->TakeLineEvents();
    if (!line_->PollInterval() || injected.error != 0) {
        return injected;
    }
    return tracker_.Next(line_->Status());
}

void FakeSerialDevice::ApplyLineSettings(const LineSettings& settings) {
    line_->RecordApplied(settings);
}

void FakeSerialDevice::Purge(PurgeDirection direction) {
    ::tcflush(line_->Slave(), direction == PurgeDirection::Input ? TCIFLUSH : TCOFLUSH);
}
