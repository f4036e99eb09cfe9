// The receiver simulator's command parser fed arbitrary bytes at arbitrary times.
//
// Input layout, repeated: a size byte, a time byte, then the piece itself. The clock
// advances by (time byte) / 64 seconds before each piece, so repeats fall both inside and
// outside the repeat window.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "CommandParser.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelmsim::CommandParser parser;
    double now = 0.0;
    std::size_t at = 0;
    while (at + 2 <= size) {
        const std::size_t wanted = static_cast<std::size_t>(data[at]) + 1;
        now += data[at + 1] / 64.0;
        at += 2;
        const std::size_t length = wanted < size - at ? wanted : size - at;
        const std::string_view piece(reinterpret_cast<const char*>(data + at), length);
        at += length;
        for (const kelmsim::CommandEvent& event : parser.feed(piece, now)) {
            FUZZ_CHECK(event.command.has_value() ==
                       (event.kind == kelmsim::CommandEvent::Kind::Accepted));
            if (event.kind == kelmsim::CommandEvent::Kind::Rejected) {
                FUZZ_CHECK(!event.reason.empty());
            }
            if (event.command) {
                (void)kelmsim::describe(*event.command);
            }
        }
    }
    // The whole input as one sentence too.
    (void)kelmsim::CommandParser::parseSentence(
        std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
