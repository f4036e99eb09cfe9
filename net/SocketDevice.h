#pragma once

#include <memory>

#include "DatagramBuffer.h"
#include "GpsdLineFilter.h"
#include "serial/FileDescriptor.h"
#include "serial/SerialDevice.h"

// A network source as TComm's threads see it: a connected or bound socket served like a
// serial device. A stream that ends (the peer closed, the network failed) reads as end of
// file, so the reader asks for a hang-up. There are no line settings or line events.
class SocketDevice : public SerialDevice {
public:
    enum class Kind {
        Stream,      // tcp://: raw sentences both ways
        GpsdStream,  // gpsd://: gpsd's reports are left out; commands go nowhere
        Datagram,    // udp://: one or more lines per datagram; commands go nowhere
    };

    SocketDevice(FileDescriptor fd, Kind kind);

    int Handle() const override { return fd_.Get(); }
    int LineEventHandle() const override { return -1; }
    std::optional<std::chrono::milliseconds> LineEventPollInterval() const override {
        return std::nullopt;
    }

    IoResult Read(std::span<char> buffer) override;
    bool HasPendingInput() const override { return datagram_.HasPending(); }
    // A stream is left unread until the window catches up (the sender is slowed by TCP);
    // datagrams are read on and dropped.
    BacklogPolicy WhenBehind() const override {
        return kind_ == Kind::Datagram ? BacklogPolicy::Drop : BacklogPolicy::Pause;
    }
    // Where commands cannot reach the receiver they are taken and dropped, so the writer
    // carries on; the main window tells the user.
    IoResult Write(std::span<const char> data) override;
    LineEvents ReadLineEvents() override { return {}; }

    void ApplyLineSettings(const LineSettings&) override {}
    void Purge(PurgeDirection) override {}

private:
    IoResult ReadDatagram(std::span<char> buffer);

    FileDescriptor fd_;
    Kind kind_;
    GpsdLineFilter gpsd_;
    DatagramBuffer datagram_;  // UDP only
};
