#pragma once

#include <memory>
#include <string>

#include "ByteSource.h"
#include "DatagramBuffer.h"
#include "GpsdLineFilter.h"
#include "NetworkSourceName.h"

// A network source for kelmstar-decode, on plain sockets: gpsd (its reports left out),
// a TCP server's raw sentences, or UDP datagrams.
class NetworkByteSource : public ByteSource {
public:
    // `description` names the source in messages (DescribeSource).
    NetworkByteSource(int fd, NetworkKind kind, std::string description);
    ~NetworkByteSource() override;
    NetworkByteSource(const NetworkByteSource&) = delete;
    NetworkByteSource& operator=(const NetworkByteSource&) = delete;

    ReadResult Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) override;
    std::string ErrorText() const override { return error_; }
    std::string EndText() const override { return description_ + " closed the connection"; }
    bool Writable() const override { return kind_ == NetworkKind::Tcp; }
    bool Write(const char* data, std::size_t size, std::chrono::milliseconds timeout) override;

private:
    ReadResult Fail(int error);

    int fd_;
    NetworkKind kind_;
    std::string description_;
    GpsdLineFilter gpsd_;
    DatagramBuffer datagram_;  // UDP only
    std::string error_;
};

// True for names that OpenNetworkSource takes ("gpsd://", "tcp://", "udp://").
bool IsNetworkInput(const std::string& name);

// Connects to (or, for UDP, listens on) the source; null with the message in `error`
// ("Cannot connect to gpsd at localhost:2947: Connection refused").
std::unique_ptr<ByteSource> OpenNetworkSource(const std::string& name, std::string& error);
