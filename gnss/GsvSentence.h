#pragma once

#include <array>
#include <optional>

#include "SentenceFields.h"

// One satellite of a GSV sentence, its number as written.
struct GsvBlock {
    int nmea = 0;
    std::optional<int> elevation;
    std::optional<int> azimuth;
    std::optional<int> cno;
};

// One GSV sentence: message `number` of `count` of a group.
struct GsvMessage {
    static constexpr int kMaxBlocks = 4;

    int count = 0;
    int number = 0;
    int signalId = -1;  // -1: no signal ID field, or an empty one
    std::array<GsvBlock, kMaxBlocks> blocks{};
    int blockCount = 0;
};

// Nothing when the counts do not read or do not fit together, or a signal ID field holds
// something other than one hex digit.
std::optional<GsvMessage> ParseGsv(const SentenceFields& fields);
