#pragma once

// Notifications the reader and writer threads post to TComm's notify object.
enum class CommMessage {
    ReceiveData = 0x0401,
    ReceiveError = 0x0402,
    RequestHangup = 0x0403,
    ModemStateChange = 0x0404,
    SendDataEmpty = 0x0405,
};
