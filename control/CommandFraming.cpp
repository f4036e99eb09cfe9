#include "CommandFraming.h"

#include <array>
#include <cstdio>
#include <string>

#include "CommandError.h"
#include "ReceiverLink.h"

namespace {

constexpr std::size_t kLastSummedIndex = 200;
constexpr std::size_t kFrameOverhead = 4;  // two hex digits, CR, LF

}  // namespace

std::uint8_t NmeaChecksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < body.size() && i <= kLastSummedIndex; ++i) {
        if (body[i] == '*') {
            break;
        }
        sum ^= static_cast<std::uint8_t>(body[i]);
    }
    return sum;
}

std::size_t FrameCommand(std::string_view body, CommandBuffer& buffer) {
    if (body.size() > kMaxCommandBodyLength) {
        throw CommandError("The command is " + std::to_string(body.size()) +
                           " characters long; at most " + std::to_string(kMaxCommandBodyLength) +
                           " can be sent");
    }
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02x", NmeaChecksum(body));

    static_assert(kCommandRepeats * (kMaxCommandBodyLength + kFrameOverhead) <= kCommandBufferSize);
    std::size_t length = 0;
    for (int i = 0; i < kCommandRepeats; ++i) {
        body.copy(buffer.data() + length, body.size());
        length += body.size();
        buffer[length++] = checksum[0];
        buffer[length++] = checksum[1];
        buffer[length++] = '\r';
        buffer[length++] = '\n';
    }
    return length;
}

void SendCommand(std::string_view body, ReceiverLink& link) {
    CommandBuffer buffer;
    const std::size_t length = FrameCommand(body, buffer);
    link.WriteData(buffer.data(), static_cast<std::uint16_t>(length));
}
