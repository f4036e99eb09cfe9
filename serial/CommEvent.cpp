#include "serial/CommEvent.h"

QEvent::Type CommEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CommEvent::CommEvent(CommMessage message, std::int32_t param, std::unique_ptr<char[]> block,
                     std::uint16_t length, std::uint32_t generation)
    : QEvent(EventType()),
      message_(message),
      param_(param),
      block_(std::move(block)),
      length_(length),
      generation_(generation) {}
