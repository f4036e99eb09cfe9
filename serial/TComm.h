#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "serial/CommEnums.h"
#include "serial/CommTimeouts.h"
#include "serial/DeviceFactory.h"
#include "serial/ECommsError.h"
#include "serial/LineSettings.h"

class CommEvent;
class CommNotifier;
class ReceiveWindow;
class WakeEvent;
class TReadThread;
class TWriteThread;

class TComm;
using TReceiveDataEvent =
    std::function<void(TComm& sender, const char* buffer, std::uint16_t length)>;
using TReceiveErrorEvent = std::function<void(TComm& sender, std::int32_t eventMask)>;
using TModemStateChangeEvent = std::function<void(TComm& sender, std::int32_t modemEvent)>;
using TNotifyEvent = std::function<void(TComm& sender)>;
using TSendDataEmptyEvent = std::function<void(TComm& sender)>;

// One serial device with a reader and a writer thread. Construct it on the user-interface
// thread while a QCoreApplication exists; its events are raised there, in the order the
// threads posted them. All members are called on that thread.
class TComm {
public:
    // A null factory opens real terminal devices.
    explicit TComm(std::unique_ptr<DeviceFactory> factory = nullptr);
    // Closes the port if the owner has not (the threads must not outlive the component).
    ~TComm();
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Opens CommName and starts both threads; throws ECommsError and leaves nothing open.
    void OpenPort();
    // Stops both threads and closes the device; nothing happens when closed.
    void ClosePort() noexcept;
    // Queues a copy of the bytes for the writer; false when closed, when count is 0, or once
    // the writer has ended after a failure.
    bool WriteData(const void* data, std::uint16_t count);

    bool IsOpen() const { return portHandle_ != nullptr; }
    // True when no write is pending (a hint: the writer updates it on its own thread).
    bool TxQueueEmpty() const { return txQueueEmpty_; }
    // False once a thread has ended after a failure, until the port is closed.
    bool ReaderRunning() const;
    bool WriterRunning() const;
    // Received bytes the reader dropped since last asked, because the window's thread was
    // behind (datagram sources only: a serial line loses nothing here).
    std::uint64_t TakeDroppedInput();

    // Stored only: used by the next OpenPort.
    const std::string& CommName() const { return commName_; }
    void SetCommName(std::string name) { commName_ = std::move(name); }

    std::int32_t BaudRate() const { return settings_.baudRate; }
    // The speed the driver runs the open line at, read back after the settings were applied:
    // a driver keeps its old speed for a rate it cannot make. nullopt when closed or unknown.
    std::optional<std::int32_t> AppliedBaudRate() const { return appliedBaudRate_; }
    void SetBaudRate(std::int32_t v) { SetLine(&LineSettings::baudRate, v); }
    bool ParityCheck() const { return settings_.parityCheck; }
    void SetParityCheck(bool v) { SetLine(&LineSettings::parityCheck, v); }
    bool Outx_CtsFlow() const { return settings_.outxCtsFlow; }
    void SetOutx_CtsFlow(bool v) { SetLine(&LineSettings::outxCtsFlow, v); }
    bool Outx_DsrFlow() const { return settings_.outxDsrFlow; }
    void SetOutx_DsrFlow(bool v) { SetLine(&LineSettings::outxDsrFlow, v); }
    TDtrControl DtrControl() const { return settings_.dtrControl; }
    void SetDtrControl(TDtrControl v) { SetLine(&LineSettings::dtrControl, v); }
    bool DsrSensitivity() const { return settings_.dsrSensitivity; }
    void SetDsrSensitivity(bool v) { SetLine(&LineSettings::dsrSensitivity, v); }
    bool TxContinueOnXoff() const { return settings_.txContinueOnXoff; }
    void SetTxContinueOnXoff(bool v) { SetLine(&LineSettings::txContinueOnXoff, v); }
    bool Outx_XonXoffFlow() const { return settings_.outxXonXoffFlow; }
    void SetOutx_XonXoffFlow(bool v) { SetLine(&LineSettings::outxXonXoffFlow, v); }
    bool Inx_XonXoffFlow() const { return settings_.inxXonXoffFlow; }
    void SetInx_XonXoffFlow(bool v) { SetLine(&LineSettings::inxXonXoffFlow, v); }
    bool ReplaceWhenParityError() const { return settings_.replaceWhenParityError; }
    void SetReplaceWhenParityError(bool v) { SetLine(&LineSettings::replaceWhenParityError, v); }
    bool IgnoreNullChar() const { return settings_.ignoreNullChar; }
    void SetIgnoreNullChar(bool v) { SetLine(&LineSettings::ignoreNullChar, v); }
    TRtsControl RtsControl() const { return settings_.rtsControl; }
    void SetRtsControl(TRtsControl v) { SetLine(&LineSettings::rtsControl, v); }
    std::uint16_t XonLimit() const { return settings_.xonLimit; }
    void SetXonLimit(std::uint16_t v) { SetLine(&LineSettings::xonLimit, v); }
    std::uint16_t XoffLimit() const { return settings_.xoffLimit; }
    void SetXoffLimit(std::uint16_t v) { SetLine(&LineSettings::xoffLimit, v); }
    TByteSize ByteSize() const { return settings_.byteSize; }
    void SetByteSize(TByteSize v) { SetLine(&LineSettings::byteSize, v); }
    // Stored only: used by the next open or the next re-application of the line settings.
    TParity Parity() const { return settings_.parity; }
    void SetParity(TParity v) { settings_.parity = v; }
    TStopBits StopBits() const { return settings_.stopBits; }
    void SetStopBits(TStopBits v) { SetLine(&LineSettings::stopBits, v); }
    char XonChar() const { return settings_.xonChar; }
    void SetXonChar(char v) { SetLine(&LineSettings::xonChar, v); }
    char XoffChar() const { return settings_.xoffChar; }
    void SetXoffChar(char v) { SetLine(&LineSettings::xoffChar, v); }
    char ReplacedChar() const { return settings_.replacedChar; }
    void SetReplacedChar(char v) { SetLine(&LineSettings::replacedChar, v); }

    std::int32_t ReadIntervalTimeout() const { return timeouts_.readIntervalTimeout; }
    void SetReadIntervalTimeout(std::int32_t v) {
        SetTimeout(&CommTimeouts::readIntervalTimeout, v);
    }
    std::int32_t ReadTotalTimeoutMultiplier() const { return timeouts_.readTotalTimeoutMultiplier; }
    void SetReadTotalTimeoutMultiplier(std::int32_t v) {
        SetTimeout(&CommTimeouts::readTotalTimeoutMultiplier, v);
    }
    std::int32_t ReadTotalTimeoutConstant() const { return timeouts_.readTotalTimeoutConstant; }
    void SetReadTotalTimeoutConstant(std::int32_t v) {
        SetTimeout(&CommTimeouts::readTotalTimeoutConstant, v);
    }
    std::int32_t WriteTotalTimeoutMultiplier() const {
        return timeouts_.writeTotalTimeoutMultiplier;
    }
    void SetWriteTotalTimeoutMultiplier(std::int32_t v) {
        SetTimeout(&CommTimeouts::writeTotalTimeoutMultiplier, v);
    }
    std::int32_t WriteTotalTimeoutConstant() const { return timeouts_.writeTotalTimeoutConstant; }
    void SetWriteTotalTimeoutConstant(std::int32_t v) {
        SetTimeout(&CommTimeouts::writeTotalTimeoutConstant, v);
    }

    // Called on the user-interface thread. The buffer is followed by a zero byte and is
    // valid only during the call.
    TReceiveDataEvent OnReceiveData;
    TReceiveErrorEvent OnReceiveError;
    TModemStateChangeEvent OnModemStateChange;
    TNotifyEvent OnRequestHangup;
    TSendDataEmptyEvent OnSendDataEmpty;

private:
    template <typename T>
    void SetLine(T LineSettings::*field, T value) {
        if (settings_.*field == value) {
            return;
        }
        settings_.*field = value;
        if (IsOpen()) {
            ApplyLineSettings();
        }
    }
    template <typename T>
    void SetTimeout(T CommTimeouts::*field, T value) {
        if (timeouts_.*field == value) {
            return;
        }
        timeouts_.*field = value;
        if (IsOpen()) {
            ApplyTimeouts();
        }
    }

    void ApplyLineSettings();
    void ApplyTimeouts();
    void StopReader() noexcept;
    void StopWriter() noexcept;
    void CommWindowProc(const CommEvent& event);

    std::string commName_ = "COM2";
    LineSettings settings_;
    std::optional<std::int32_t> appliedBaudRate_;
    CommTimeouts timeouts_;
    std::unique_ptr<DeviceFactory> factory_;
    std::unique_ptr<CommNotifier> notifyWindow_;
    std::atomic<bool> txQueueEmpty_{true};
    // Declared so that the threads go before what they use.
    std::unique_ptr<SerialDevice> portHandle_;
    std::unique_ptr<WakeEvent> closeEvent_;
    // Shared: a handler that closes the port still gives back the room of its block.
    std::shared_ptr<ReceiveWindow> receiveWindow_;
    std::unique_ptr<TReadThread> readThread_;
    std::unique_ptr<TWriteThread> writeThread_;
};
