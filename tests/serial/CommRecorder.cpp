#include "CommRecorder.h"

#include <QTest>

CommRecorder::CommRecorder(TComm& comm) : comm_(comm) {
    comm.OnReceiveData = [this](TComm&, const char* buffer, std::uint16_t length) {
        received.append(buffer, length);
        blockLengths.push_back(length);
        everyBlockZeroTerminated = everyBlockZeroTerminated && buffer[length] == '\0';
        order += 'D';
    };
    comm.OnReceiveError = [this](TComm&, std::int32_t mask) {
        receiveErrors.push_back(mask);
        order += 'E';
    };
    comm.OnModemStateChange = [this](TComm&, std::int32_t code) {
        modemEvents.push_back(code);
        order += 'M';
    };
    comm.OnRequestHangup = [this](TComm&) {
        ++hangups;
        order += 'H';
    };
    comm.OnSendDataEmpty = [this](TComm&) {
        ++sendEmpties;
        order += 'S';
    };
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
