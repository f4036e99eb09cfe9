#include "GsvGroupAssembler.h"

const GsvGroup* GsvGroupAssembler::Add(Talker talker, const GsvMessage& message) {
    const std::size_t key = static_cast<std::size_t>(talker) * kSignalKeys +
                            static_cast<std::size_t>(message.signalId + 1);
    Pending& pending = pending_[key];
    if (message.number == 1) {
        pending.count = message.count;
        pending.next = 1;
        pending.group.talker = talker;
        pending.group.signalId = message.signalId;
        pending.group.blocks.clear();
    } else if (pending.next != message.number || pending.count != message.count) {
        // A group that started before the input did, or lost a message: it would replace
        // whole satellites with part of them.
        pending.next = 0;
        return nullptr;
    }
    for (int b = 0; b < message.blockCount; ++b) {
        if (pending.group.blocks.size() < kMaxBlocks) {
            pending.group.blocks.push_back(message.blocks[static_cast<std::size_t>(b)]);
        }
    }
    if (message.number < message.count) {
        ++pending.next;
        return nullptr;
    }
    pending.next = 0;
    return &pending.group;
}
