#include "serial/TComm.h"

#include <cstring>
#include <system_error>

#include "serial/CommNotifier.h"
#include "serial/PortName.h"
#include "serial/PosixDeviceFactory.h"
#include "serial/ReceiveWindow.h"
#include "serial/TReadThread.h"
#include "serial/TWriteThread.h"
#include "serial/WakeEvent.h"

namespace {

const char* MessageFor(OpenFailure failure) {
    switch (failure) {
        case OpenFailure::NotCommHandle:
            return ECommsError::kNotCommHandle;
        case OpenFailure::CannotSetup:
            return ECommsError::kCannotSetup;
        case OpenFailure::CannotOpen:
        case OpenFailure::None:
            break;
    }
    return ECommsError::kCannotOpen;
}

}  // namespace

TComm::TComm(std::unique_ptr<DeviceFactory> factory)
    : factory_(factory ? std::move(factory) : std::make_unique<PosixDeviceFactory>()),
      notifyWindow_(std::make_unique<CommNotifier>(
          [this](const CommEvent& event) { CommWindowProc(event); })) {}

TComm::~TComm() {
    ClosePort();
}

void TComm::OpenPort() {
    if (portHandle_) {
        throw ECommsError(ECommsError::kAlreadyOpened);
    }
    OpenResult opened = factory_->Open(DevicePathForPortName(commName_));
    if (!opened.device) {
        throw ECommsError(opened.message.empty() ? MessageFor(opened.failure) : opened.message);
    }
    std::unique_ptr<SerialDevice> device = std::move(opened.device);
    device->Purge(PurgeDirection::Input);
    device->Purge(PurgeDirection::Output);
    txQueueEmpty_ = true;
    device->ApplyLineSettings(settings_);
    const std::optional<std::int32_t> applied = device->LineSpeed();

    std::unique_ptr<WakeEvent> stop;
    std::shared_ptr<ReceiveWindow> window;
    try {
        stop = std::make_unique<WakeEvent>();
        window = std::make_shared<ReceiveWindow>();
    } catch (const std::exception&) {
        throw ECommsError(ECommsError::kCannotCreateEvent);
    }
    std::unique_ptr<TReadThread> reader;
    try {
        reader = std::make_unique<TReadThread>(*device, *stop, *notifyWindow_, *window, timeouts_);
    } catch (const std::exception&) {
        throw ECommsError(ECommsError::kCannotCreateReadThread);
    }
    try {
        writeThread_ =
            std::make_unique<TWriteThread>(*device, *stop, *notifyWindow_, txQueueEmpty_);
    } catch (const std::exception&) {
        stop->Set();
        device->Purge(PurgeDirection::Input);
        reader.reset();
        throw ECommsError(ECommsError::kCannotCreateWriteThread);
    }
    readThread_ = std::move(reader);
    closeEvent_ = std::move(stop);
    receiveWindow_ = std::move(window);
    portHandle_ = std::move(device);
    appliedBaudRate_ = applied;
    // Only now that opening cannot fail any more may the threads act: reader first.
    readThread_->Start();
    writeThread_->Start();
}

void TComm::ClosePort() noexcept {
    if (!portHandle_) {
        return;
    }
    StopReader();
    StopWriter();
    // What the threads posted and the window has not handled yet belongs to this opening.
    notifyWindow_->Forget();
    receiveWindow_.reset();
    closeEvent_.reset();
    portHandle_.reset();
    appliedBaudRate_.reset();
}

void TComm::StopReader() noexcept {
    if (!readThread_) {
        return;
    }
    closeEvent_->Set();
    portHandle_->Purge(PurgeDirection::Input);
    // Every wait of the thread includes the stop event, so this returns at once.
    readThread_.reset();
}

void TComm::StopWriter() noexcept {
    if (!writeThread_) {
        return;
    }
    closeEvent_->Set();
    portHandle_->Purge(PurgeDirection::Output);
    txQueueEmpty_ = true;
    writeThread_.reset();
}

bool TComm::WriteData(const void* data, std::uint16_t count) {
    if (!writeThread_ || count == 0 || data == nullptr) {
        return false;
    }
    try {
        WriteBlock block{std::make_unique<char[]>(count + 1), count};
        std::memcpy(block.data.get(), data, count);
        // Cleared before the writer can see the block, so it cannot be left stale.
        txQueueEmpty_ = false;
        if (!writeThread_->Post(std::move(block))) {
            // The writer has ended after a failure; nothing is pending.
            txQueueEmpty_ = true;
            return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::uint64_t TComm::TakeDroppedInput() {
    return receiveWindow_ ? receiveWindow_->TakeDropped() : 0;
}

bool TComm::ReaderRunning() const {
    return readThread_ && !readThread_->Finished();
}

bool TComm::WriterRunning() const {
    return writeThread_ && !writeThread_->Finished();
}

void TComm::ApplyLineSettings() {
    portHandle_->ApplyLineSettings(settings_);
    appliedBaudRate_ = portHandle_->LineSpeed();
}

void TComm::ApplyTimeouts() {
    if (readThread_) {
        readThread_->SetTimeouts(timeouts_);
    }
}

void TComm::CommWindowProc(const CommEvent& event) {
    switch (event.Message()) {
        case CommMessage::ReceiveData: {
            // Given back even when the handler throws or closes the port.
            const std::shared_ptr<ReceiveWindow> window = receiveWindow_;
            const auto giveBack = [&] {
                if (window) {
                    window->Give(event.Length());
                }
            };
            try {
                if (OnReceiveData) {
                    OnReceiveData(*this, event.Block(), event.Length());
                }
            } catch (...) {
                giveBack();
                throw;
            }
            giveBack();
            break;
        }
        case CommMessage::ReceiveError:
            if (OnReceiveError) {
                OnReceiveError(*this, event.Param());
            }
            break;
        case CommMessage::RequestHangup:
            if (OnRequestHangup) {
                OnRequestHangup(*this);
            }
            break;
        case CommMessage::ModemStateChange:
            if (OnModemStateChange) {
                OnModemStateChange(*this, event.Param());
            }
            break;
        case CommMessage::SendDataEmpty:
            if (OnSendDataEmpty) {
                OnSendDataEmpty(*this);
            }
            break;
    }
}
