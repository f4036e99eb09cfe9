#include "GsvSentence.h"

#include "FieldValue.h"

namespace {

constexpr int kHeaderFields = 3;
constexpr int kBlockFields = 4;
constexpr int kMaxMessages = 99;  // two digits; NMEA itself stops at 9

std::optional<int> InRange(std::optional<int> value, int low, int high) {
    return value && *value >= low && *value <= high ? value : std::nullopt;
}

}  // namespace

// $GPGSV,3,1,12,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11,1*60
//  1 messages in the group  2 this message's number  3 satellites in view
//  4-7, 8-11, 12-15, 16-19 up to four satellites: number, elevation, azimuth, C/N0
//  then (NMEA 4.10) the signal ID, one hex digit. Only the field count tells it from a
//  satellite: three header fields, whole blocks of four, and one left over.
std::optional<GsvMessage> ParseGsv(const SentenceFields& fields) {
    const int count = fields.Count() - 1;
    const int afterHeader = count - kHeaderFields;
    if (afterHeader < 0 || afterHeader > GsvMessage::kMaxBlocks * kBlockFields + 1) {
        return std::nullopt;
    }
    GsvMessage message;
    const std::optional<int> messages = InRange(IntField(fields[1]), 1, kMaxMessages);
    const std::optional<int> number = InRange(IntField(fields[2]), 1, kMaxMessages);
    if (!messages || !number || *number > *messages) {
        return std::nullopt;
    }
    message.count = *messages;
    message.number = *number;
    if (afterHeader % kBlockFields == 1) {
        const std::string_view signal = fields[count];
        if (!signal.empty()) {
            const std::optional<int> id = HexDigitField(signal);
            if (!id) {
                return std::nullopt;
            }
            message.signalId = *id;
        }
    }
    // A block cut short (two or three fields left over) is no satellite.
    const int blocks = afterHeader / kBlockFields;
    for (int b = 0; b < blocks; ++b) {
        const int first = kHeaderFields + 1 + b * kBlockFields;
        // Some receivers pad the last message with empty blocks.
        const std::optional<int> nmea = IntField(fields[first]);
        if (!nmea || *nmea <= 0) {
            continue;
        }
        GsvBlock& block = message.blocks[static_cast<std::size_t>(message.blockCount++)];
        block.nmea = *nmea;
        block.elevation = InRange(IntField(fields[first + 1]), -90, 90);
        block.azimuth = InRange(IntField(fields[first + 2]), 0, 359);
        block.cno = InRange(IntField(fields[first + 3]), 0, 99);
    }
    return message;
}
