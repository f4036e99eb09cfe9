// The simulator's model of a UART read at another speed, fed arbitrary bytes and speeds,
// and what it delivers counted by the line statistics.
//
// Input layout: two bytes choosing the sender's and the receiver's speed, then the bytes sent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "LineStatistics.h"
#include "UartLine.h"

namespace {

constexpr int kSpeeds[] = {300, 1200, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 921600};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const int sender = kSpeeds[data[0] % std::size(kSpeeds)];
    const int receiver = kSpeeds[data[1] % std::size(kSpeeds)];
    const std::string_view sent(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string received = kelmsim::UartLine::Receive(sent, sender, receiver);
    if (sender == receiver) {
        FUZZ_CHECK(received == sent);
    }
    // The receiver's frames do not overlap, each lasts 9.5 of its bit times, and each but
    // the last ends before the sender's last bit.
    const double senderBits = 10.0 * static_cast<double>(sent.size());
    const double frameBits = 9.5 * sender / receiver;  // in the sender's bit times
    if (!received.empty()) {
        FUZZ_CHECK(static_cast<double>(received.size() - 1) * frameBits <= senderBits);
    }
    LineStatistics statistics;
    statistics.Add(received.data(), received.size());
    FUZZ_CHECK(statistics.Counts().bytes == received.size());
    return 0;
}
