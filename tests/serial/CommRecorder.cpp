#include "CommRecorder.h"

#include <QTest>

CommRecorder::CommRecorder(TComm& comm) : comm_(comm) {
    comm.OnReceiveData = [this](TComm&, const char* buffer, std::uint16_t length) {
        received.append(buffer, length);
        blockLengths.push_back(length);
        everyBlockZeroTerminated = everyBlockZeroTerminated && buffer[length] == '\0';
    };
    comm.OnReceiveError = [this](TComm&, std::int32_t mask) { receiveErrors.push_back(mask); };
    comm.OnModemStateChange = [this](TComm&, std::int32_t code) { modemEvents.push_back(code); };
    comm.OnRequestHangup = [this](TComm&) { ++hangups; };
    comm.OnSendDataEmpty = [this](TComm&) { ++sendEmpties; };
}

CommRecorder::~CommRecorder() {
    comm_.OnReceiveData = nullptr;
    comm_.OnReceiveError = nullptr;
    comm_.OnModemStateChange = nullptr;
    comm_.OnRequestHangup = nullptr;
    comm_.OnSendDataEmpty = nullptr;
}

bool CommRecorder::WaitForBytes(std::size_t bytes, int timeoutMs) {
    return QTest::qWaitFor([&] { return received.size() >= bytes; }, timeoutMs);
}
