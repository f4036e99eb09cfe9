#include "FakeLine.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace {

IoResult Transferred(ssize_t n) {
    if (n < 0) {
        return {0, errno == EWOULDBLOCK ? EAGAIN : errno};
    }
    return {static_cast<std::size_t>(n), 0};
}

}  // namespace

FakeLine::FakeLine() : lineEventWake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    // The component's threads must never block on the fake.
    ::fcntl(pty_.Slave(), F_SETFL, ::fcntl(pty_.Slave(), F_GETFL) | O_NONBLOCK);
}

void FakeLine::InjectLineEvents(std::int32_t errorFlags, std::int32_t modemCode) {
    {
        std::lock_guard lock(mutex_);
        pending_.errorFlags |= errorFlags;
        pending_.modemCode |= modemCode;
    }
    WakeLineEvents();
}

void FakeLine::FailReads(int error) {
    readError_ = error;
    WriteAll(pty_.Master(), "x");
}

void FakeLine::FailLineQueries(int error) {
    {
        std::lock_guard lock(mutex_);
        pending_.error = error;
    }
    WakeLineEvents();
}

void FakeLine::Count(int serial_icounter_struct::*counter) {
    std::lock_guard lock(mutex_);
    ++((*status_.counters).*counter);
}

void FakeLine::SetModemLines(int lines) {
    std::lock_guard lock(mutex_);
    status_.modemLines = lines;
}

LineStatus FakeLine::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

void FakeLine::HoldOutput(bool held) {
    ::tcflow(pty_.Slave(), held ? TCOOFF : TCOON);
}

void FakeLine::Heal() {
    readError_ = 0;
    writeError_ = 0;
    std::lock_guard lock(mutex_);
    pending_ = {};
}

int FakeLine::Applications() const {
    std::lock_guard lock(mutex_);
    return applications_;
}

LineSettings FakeLine::LastApplied() const {
    std::lock_guard lock(mutex_);
    return lastApplied_;
}

IoResult FakeLine::Read(std::span<char> buffer) {
    if (const int error = readError_) {
        return {0, error};
    }
    const IoResult result = Transferred(::read(pty_.Slave(), buffer.data(), buffer.size()));
    bytesRead_ += result.count;
    return result;
}

IoResult FakeLine::Write(std::span<const char> data) {
    if (const int error = writeError_) {
        return {0, error};
    }
    return Transferred(::write(pty_.Slave(), data.data(), data.size()));
}

LineEvents FakeLine::TakeLineEvents() {
    std::uint64_t count = 0;
    ::read(lineEventWake_.Get(), &count, sizeof count);
    std::lock_guard lock(mutex_);
    LineEvents events = pending_;
    pending_ = {};
    if (events.error != 0) {
        pending_.error = events.error;  // a failed query keeps failing
        return {0, 0, events.error};
    }
    return events;
}

void FakeLine::RecordApplied(const LineSettings& settings) {
    std::lock_guard lock(mutex_);
    ++applications_;
    lastApplied_ = settings;
    if (settings.baudRate != refusedRate_) {
        speed_ = settings.baudRate;
    }
}

std::int32_t FakeLine::Speed() const {
    std::lock_guard lock(mutex_);
    return speed_;
}

void FakeLine::WakeLineEvents() {
    const std::uint64_t one = 1;
    ::write(lineEventWake_.Get(), &one, sizeof one);
}
