#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ByteSource.h"
#include "serial/SerialDevice.h"

// A serial device, opened exclusively and set to listen at one speed (8N1, no flow
// control). Its input never ends of itself; a hang-up (a USB receiver pulled out) fails.
class SerialByteSource : public ByteSource {
public:
    SerialByteSource(std::unique_ptr<SerialDevice> device, std::int32_t baudRate);

    ReadResult Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) override;
    std::string ErrorText() const override { return error_; }
    bool Writable() const override { return true; }
    bool Write(const char* data, std::size_t size, std::chrono::milliseconds timeout) override;

    // The speed the driver runs the line at (it may have refused the one asked for).
    std::int32_t BaudRate() const { return baudRate_; }

private:
    std::unique_ptr<SerialDevice> device_;
    std::int32_t baudRate_;
    std::string error_;
};
