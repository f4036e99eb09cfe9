#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "serial/CommEvent.h"

// The hidden object that lives on the thread that created it (the user-interface thread).
// The port's threads post to it; it hands each event, in posting order, to its handler.
class CommNotifier : public QObject {
public:
    using Handler = std::function<void(const CommEvent&)>;

    explicit CommNotifier(Handler handler);

    // Safe from any thread.
    void Post(CommMessage message, std::int32_t param = 0, std::unique_ptr<char[]> block = nullptr,
              std::uint16_t length = 0);
    // A hang-up request, the last word of a failing thread: a full heap cannot stop it
    // from ending.
    void PostHangupRequest() noexcept;
    // Events posted so far are not handed on: the port they came from was closed. Called on
    // the notifier's thread once the posting threads have ended.
    void Forget() { ++generation_; }

protected:
    bool event(QEvent* e) override;

private:
    Handler handler_;
    std::atomic<std::uint32_t> generation_{0};
};
