#pragma once

#include <memory>

#include "FakeLine.h"
#include "serial/SerialDevice.h"

// A SerialDevice backed by a FakeLine, so tests can make it fail and report line events.
class FakeSerialDevice : public SerialDevice {
public:
    explicit FakeSerialDevice(std::shared_ptr<FakeLine> line);
    ~FakeSerialDevice() override;

    int Handle() const override { return line_->UseHandle(); }
    int LineEventHandle() const override {
        return line_->PollInterval() ? -1 : line_->LineEventHandle();
    }
    std::optional<std::chrono::milliseconds> LineEventPollInterval() const override {
        return line_->PollInterval();
    }
    IoResult Read(std::span<char> buffer) override { return line_->Read(buffer); }
    IoResult Write(std::span<const char> data) override { return line_->Write(data); }
    LineEvents ReadLineEvents() override;
    void ApplyLineSettings(const LineSettings& settings) override;
    void Purge(PurgeDirection direction) override;
    std::optional<std::int32_t> LineSpeed() const override { return line_->Speed(); }

private:
    std::shared_ptr<FakeLine> line_;
    LineStatusTracker tracker_;  // for a line that is asked
};
