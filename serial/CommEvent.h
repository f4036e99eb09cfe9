#pragma once

#include <QEvent>
#include <cstdint>
#include <memory>

#include "serial/CommMessage.h"

// One posted notification. A received block travels inside its event, so it changes owner
// with it and is released with the event, whether or not a handler ran.
class CommEvent : public QEvent {
public:
    static QEvent::Type EventType();

    CommEvent(CommMessage message, std::int32_t param, std::unique_ptr<char[]> block,
              std::uint16_t length, std::uint32_t generation = 0);

    CommMessage Message() const { return message_; }
    std::int32_t Param() const { return param_; }
    // The received bytes followed by a zero byte; null for the other messages.
    const char* Block() const { return block_.get(); }
    std::uint16_t Length() const { return length_; }
    // Which opening of the port posted it (see CommNotifier::Forget).
    std::uint32_t Generation() const { return generation_; }

private:
    CommMessage message_;
    std::int32_t param_;
    std::unique_ptr<char[]> block_;
    std::uint16_t length_;
    std::uint32_t generation_;
};
