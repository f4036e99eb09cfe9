#pragma once
// What a UART delivers when it reads a line at another speed than the sender's: both frame
// each byte as a start bit (0), eight data bits from the lowest, and a stop bit (1), and an
// idle line is 1. The receiver waits for the line to go to 0, checks the start bit half a
// bit time later, samples the data bits in the middle of its own bit times, and delivers
// the byte (a 0 byte where the stop bit is missing, as a terminal without parity marking
// does). At the sender's speed every byte comes through unchanged.

#include <optional>
#include <string>
#include <string_view>

namespace kelmsim {

class UartLine {
public:
    // The bytes of `sent`, written back to back at senderBaud, as read at receiverBaud.
    static std::string Receive(std::string_view sent, int senderBaud, int receiverBaud);

    // The speed in baud a terminal descriptor is set to (for a pseudo-terminal's master,
    // what the program on the far end set); nullopt when unknown.
    static std::optional<int> TerminalSpeed(int fd);
};

}  // namespace kelmsim
