#pragma once

#include <cstdint>

// Line-setting choices of TComm; the ordinals are part of the interface.

enum class TDtrControl : std::uint8_t { DtrEnable = 0, DtrDisable = 1, DtrHandshake = 2 };

enum class TRtsControl : std::uint8_t {
    RtsEnable = 0,
    RtsDisable = 1,
    RtsHandshake = 2,
    RtsTransmissionAvailable = 3
};

// Data bits: ordinal + 5.
enum class TByteSize : std::uint8_t { _5 = 0, _6 = 1, _7 = 2, _8 = 3 };

enum class TParity : std::uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };

enum class TStopBits : std::uint8_t { _1 = 0, _1_5 = 1, _2 = 2 };
