#include "SerialByteSource.h"

#include <poll.h>

#include <cerrno>
#include <cstring>
#include <span>

#include "LineSpeedDetector.h"
#include "serial/PollWait.h"

SerialByteSource::SerialByteSource(std::unique_ptr<SerialDevice> device, std::int32_t baudRate)
    : device_(std::move(device)), baudRate_(baudRate) {
    device_->ApplyLineSettings(LineSpeedDetector::ListeningSettings(baudRate));
    baudRate_ = device_->LineSpeed().value_or(baudRate);
    device_->Purge(PurgeDirection::Input);
}

ByteSource::ReadResult SerialByteSource::Read(char* buffer, std::size_t size,
                                              std::chrono::milliseconds timeout) {
    pollfd ready{device_->Handle(), POLLIN, 0};
    const int n = PollWait({&ready, 1}, std::chrono::steady_clock::now() + timeout);
    if (n == 0) {
        return {Status::Idle, 0};
    }
    if (n > 0 && (ready.revents & POLLIN) == 0) {
        error_ = "the device hung up";
        return {Status::Failed, 0};
    }
    const IoResult got = n < 0 ? IoResult{0, errno} : device_->Read(std::span(buffer, size));
    if (got.Ok() && got.count > 0) {
        return {Status::Data, got.count};
    }
    if (got.error == EAGAIN) {
        return {Status::Idle, 0};
    }
    error_ = got.Ok() ? "the device hung up" : std::strerror(got.error);
    return {Status::Failed, 0};
}

bool SerialByteSource::Write(const char* data, std::size_t size,
                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (size > 0) {
        pollfd ready{device_->Handle(), POLLOUT, 0};
        const int n = PollWait({&ready, 1}, deadline);
        if (n <= 0 || (ready.revents & POLLOUT) == 0) {
            error_ = n == 0  ? "the device took no more bytes"
                     : n < 0 ? std::strerror(errno)
                             : "the device hung up";
            return false;
        }
        const IoResult put = device_->Write(std::span(data, size));
        if (!put.Ok() && put.error != EAGAIN) {
            error_ = std::strerror(put.error);
            return false;
        }
        data += put.count;
        size -= put.count;
    }
    return true;
}
