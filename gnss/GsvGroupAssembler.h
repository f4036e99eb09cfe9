#pragma once

#include <array>
#include <vector>

#include "GsvSentence.h"
#include "SentenceAddress.h"

// A whole GSV group: messages 1..n of one talker and signal, in order.
struct GsvGroup {
    Talker talker = Talker::GP;
    int signalId = -1;
    std::vector<GsvBlock> blocks;
};

// Puts GSV messages together into groups, one group in progress per talker and signal.
// A group is handed out only when message n of n follows messages 1..n-1 without a gap;
// a message out of order drops the group in progress, and only message 1 starts one.
class GsvGroupAssembler {
public:
    // More satellites than any group carries; a group's blocks beyond it are dropped.
    static constexpr std::size_t kMaxBlocks = 256;

    // The group `message` completed, valid until the next call; nullptr while none is.
    const GsvGroup* Add(Talker talker, const GsvMessage& message);

private:
    struct Pending {
        int count = 0;
        int next = 0;  // the message number expected; 0 while no group is in progress
        GsvGroup group;
    };

    static constexpr std::size_t kSignalKeys = 17;  // no signal ID, and IDs 0-15

    std::array<Pending, kTalkerCount * kSignalKeys> pending_{};
};
