#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

class ReceiverLink;

inline constexpr std::size_t kMaxCommandBodyLength = 199;
inline constexpr std::size_t kCommandBufferSize = 2000;
inline constexpr int kCommandRepeats = 5;

// The exclusive-or of the body's bytes after "$" up to the first "*", taking at most the
// bytes at indices 1 to 200.
std::uint8_t NmeaChecksum(std::string_view body);

using CommandBuffer = std::array<char, kCommandBufferSize>;

// The body followed by its checksum as two lowercase hex digits and CR LF, five times
// over, into `buffer`; returns the length. Throws CommandError for a body longer than
// kMaxCommandBodyLength.
std::size_t FrameCommand(std::string_view body, CommandBuffer& buffer);

// Writes FrameCommand's bytes in one WriteData call; sends nothing when it throws.
void SendCommand(std::string_view body, ReceiverLink& link);
