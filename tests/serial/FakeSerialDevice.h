#pragma once

#include <memory>

#include "FakeLine.h"
#include "serial/SerialDevice.h"

// A SerialDevice backed by a FakeLine, so tests can make it fail and report line events.
class FakeSerialDevice : public SerialDevice {
public:
    explicit FakeSerialDevice(std::shared_ptr<FakeLine> line);
    ~FakeSerialDevice() override;

    int Handle() const override { return line_->Slave(); }
    int LineEventHandle() const override { return line_->LineEventHandle(); }
    std::optional<std::chrono::milliseconds> LineEventPollInterval() const override {
        return std::nullopt;
    }
    IoResult Read(std::span<char> buffer) override { return line_->Read(buffer); }
    IoResult Write(std::span<const char> data) override { return line_->Write(data); }
    LineEvents ReadLineEvents() override { return line_->TakeLineEvents(); }
    void ApplyLineSettings(const LineSettings& settings) override;
    void Purge(PurgeDirection direction) override;

private:
    std::shared_ptr<FakeLine> line_;
};
