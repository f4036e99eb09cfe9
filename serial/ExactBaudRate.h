#pragma once

#include <cstdint>
#include <optional>

// Any line speed, through Linux's termios2 (BOTHER), for the rates that have no termios
// constant (14400, 28800, 56000, 128000, 256000 ...). A file of its own because
// <asm/termbits.h> clashes with <termios.h>. Without termios2 (powerpc) only the rates with
// a termios constant can be set.

// Sets both directions of the terminal `fd` to `rate` bits per second and leaves every
// other setting as it is. True when the speed read back afterwards is exactly `rate` (a
// driver may round to what its clock can make, or refuse).
bool SetExactBaudRate(int fd, std::uint32_t rate);

// The output speed the terminal `fd` runs at, in bits per second; nullopt when it cannot
// be read (not a terminal).
std::optional<std::uint32_t> ExactBaudRate(int fd);
