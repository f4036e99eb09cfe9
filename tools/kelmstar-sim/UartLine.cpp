#include "UartLine.h"

#include <termios.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "serial/TermiosMapping.h"

namespace kelmsim {

namespace {

constexpr int kBitsPerFrame = 10;
constexpr int kDataBits = 8;

// The line level during each of the sender's bit times.
std::vector<bool> LineBits(std::string_view sent) {
    std::vector<bool> bits;
    bits.reserve(sent.size() * kBitsPerFrame);
    for (const char c : sent) {
        const auto byte = static_cast<unsigned char>(c);
        bits.push_back(false);
        for (int bit = 0; bit < kDataBits; ++bit) {
            bits.push_back(((byte >> bit) & 1) != 0);
        }
        bits.push_back(true);
    }
    return bits;
}

}  // namespace

std::string UartLine::Receive(std::string_view sent, int senderBaud, int receiverBaud) {
    if (senderBaud <= 0 || receiverBaud <= 0 || senderBaud == receiverBaud) {
        return std::string(sent);
    }
    const std::vector<bool> bits = LineBits(sent);
    // Time is counted in the sender's bit times; the receiver's bit lasts `ratio` of them.
    const double ratio = static_cast<double>(senderBaud) / receiverBaud;
    const auto level = [&bits](double t) {
        const auto index = static_cast<std::size_t>(t);
        return index >= bits.size() || bits[index];
    };
    std::string received;
    double hunt = 0.0;  // the receiver looks for a falling edge from here on
    for (std::size_t i = 0; i < bits.size();) {
        // The first 0 bit that is still on the line when the receiver looks.
        i = std::max(i, static_cast<std::size_t>(hunt));
        while (i < bits.size() && bits[i]) {
            ++i;
        }
        if (i >= bits.size()) {
            break;
        }
        const double edge = std::max(hunt, static_cast<double>(i));
        if (level(edge + 0.5 * ratio)) {
            hunt = edge + 0.5 * ratio;  // a glitch, not a start bit
            i = static_cast<std::size_t>(hunt);
            continue;
        }
        unsigned char byte = 0;
        for (int bit = 0; bit < kDataBits; ++bit) {
            if (level(edge + (1.5 + bit) * ratio)) {
                byte |= static_cast<unsigned char>(1u << bit);
            }
        }
        const double stop = edge + (1.5 + kDataBits) * ratio;
        received += static_cast<char>(level(stop) ? byte : 0);
        hunt = stop;
        i = static_cast<std::size_t>(hunt);
    }
    return received;
}

std::optional<int> UartLine::TerminalSpeed(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return std::nullopt;
    }
    return BaudRateForSpeed(cfgetospeed(&tio));
}

}  // namespace kelmsim
