#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

// Calls `painted` once, with the monotonic time, when the first paint of the watched
// widget (and the rest of that paint pass, which Qt runs in the same turn) is done.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(std::function<void(std::int64_t)> painted)
        : painted_(std::move(painted)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(std::int64_t)> painted_;
    bool seen_ = false;
};
