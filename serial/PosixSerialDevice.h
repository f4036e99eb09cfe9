#pragma once

#include "serial/FileDescriptor.h"
#include "serial/LineStatusQuery.h"
#include "serial/LineStatusTracker.h"
#include "serial/SerialDevice.h"

// A terminal device opened by PosixDeviceFactory: termios for the line (termios2 for speeds
// without a constant), TIOCGICOUNT counters and TIOCMGET levels (where the driver offers
// them) for line errors and modem-line changes.
class PosixSerialDevice : public SerialDevice {
public:
    explicit PosixSerialDevice(FileDescriptor fd,
                               LineStatusQuery query = LineStatusQuery::Device());
    ~PosixSerialDevice() override;

    int Handle() const override { return fd_.Get(); }
    int LineEventHandle() const override { return -1; }
    std::optional<std::chrono::milliseconds> LineEventPollInterval() const override;

    IoResult Read(std::span<char> buffer) override;
    IoResult Write(std::span<const char> data) override;
    LineEvents ReadLineEvents() override;

    void ApplyLineSettings(const LineSettings& settings) override;
    void Purge(PurgeDirection direction) override;
    std::optional<std::int32_t> LineSpeed() const override;

private:
    void SetModemLine(int line, bool raised);

    FileDescriptor fd_;
    LineStatusQuery query_;
    LineStatusTracker tracker_;  // only the reader asks for line events
};
