#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

#include "serial/LineSettings.h"

// How the component's line settings land in termios. What termios has no field for
// (XON/XOFF limits, DSR flow and sensitivity, TxContinueOnXoff, null stripping, a chosen
// parity replacement character) is left out; 1.5 stop bits become CSTOPB, which the UART
// sends as 1.5 bits with 5 data bits.

// The termios speed constant for a baud rate, or nullopt for a rate termios has none for.
std::optional<speed_t> SpeedForBaudRate(std::int32_t baudRate);

// The baud rate of a termios speed constant, or nullopt for B0 and unknown values.
std::optional<std::int32_t> BaudRateForSpeed(speed_t speed);

// Raw mode plus the settings; leaves the speed unchanged when the rate is not supported.
void ApplyLineSettingsToTermios(const LineSettings& settings, termios& tio);

// Whether the DTR and RTS lines are to be raised after the settings are applied.
bool DtrRaised(const LineSettings& settings);
bool RtsRaised(const LineSettings& settings);
