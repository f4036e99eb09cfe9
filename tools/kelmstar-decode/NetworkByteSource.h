#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ByteSource.h"
#include "GpsdLineFilter.h"
#include "NetworkSourceName.h"

// A network source for kelmstar-decode, on plain sockets: gpsd (its reports left out),
// a TCP server's raw sentences, or UDP datagrams.
class NetworkByteSource : public ByteSource {
public:
    NetworkByteSource(int fd, NetworkKind kind);
    ~NetworkByteSource() override;
    NetworkByteSource(const NetworkByteSource&) = delete;
    NetworkByteSource& operator=(const NetworkByteSource&) = delete;

    ReadResult Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) override;
    std::string ErrorText() const override { return error_; }

private:
    ReadResult Fail(int error);
    ReadResult TakeDatagram(char* buffer, std::size_t size);

    int fd_;
    NetworkKind kind_;
    GpsdLineFilter gpsd_;
    std::vector<char> datagram_;  // UDP: the datagram being handed out in pieces
    std::size_t pendingBegin_ = 0;
    std::size_t pendingEnd_ = 0;
    std::string error_;
};

// True for names that OpenNetworkSource takes ("gpsd://", "tcp://", "udp://").
bool IsNetworkInput(const std::string& name);

// Connects to (or, for UDP, listens on) the source; null with the message in `error`
// ("Cannot connect to gpsd at localhost:2947: Connection refused").
std::unique_ptr<ByteSource> OpenNetworkSource(const std::string& name, std::string& error);
