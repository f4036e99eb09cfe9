#include "serial/CommNotifier.h"

#include <QCoreApplication>

CommNotifier::CommNotifier(Handler handler) : handler_(std::move(handler)) {}

void CommNotifier::Post(CommMessage message, std::int32_t param, std::unique_ptr<char[]> block,
                        std::uint16_t length) {
    QCoreApplication::postEvent(
        this, new CommEvent(message, param, std::move(block), length, generation_));
}

void CommNotifier::PostHangupRequest() noexcept {
    try {
        Post(CommMessage::RequestHangup);
    } catch (const std::bad_alloc&) {
    }
}

bool CommNotifier::event(QEvent* e) {
    if (e->type() != CommEvent::EventType()) {
        return QObject::event(e);
    }
    const auto& event = static_cast<const CommEvent&>(*e);
    if (event.Generation() == generation_) {
        handler_(event);
    }
    return true;
}
