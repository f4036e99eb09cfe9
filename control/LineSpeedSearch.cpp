#include "LineSpeedSearch.h"

#include <QMetaObject>

#include "serial/PosixDeviceFactory.h"

LineSpeedSearch::LineSpeedSearch(QObject* parent) : QObject(parent) {}

// Says nothing: whoever listens may be half destroyed already (the dialog that owns this
// goes first, its buttons with it).
LineSpeedSearch::~LineSpeedSearch() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

void LineSpeedSearch::Start(const std::string& path, std::int32_t first,
                            std::vector<std::int32_t> others) {
    Cancel();
    const unsigned run = ++run_;
    running_ = true;
    worker_ = std::jthread([this, run, path, first,
                            others = std::move(others)](std::stop_token stop) {
        PosixDeviceFactory factory;
        const LineSpeedDetector::Result result = LineSpeedDetector(factory).Detect(
            path, first, others,
            [this, run](std::int32_t rate) { Report(run, [this, rate] { emit Trying(rate); }); },
            [&stop] { return stop.stop_requested(); });
        Report(run, [this, result] {
            running_ = false;
            emit Finished(result.outcome, result.baudRate);
        });
    });
}

void LineSpeedSearch::Cancel() {
    if (!worker_.joinable()) {
        return;
    }
    worker_.request_stop();
    worker_.join();
    if (running_) {
        running_ = false;
        ++run_;
        emit Finished(LineSpeedDetector::Outcome::Cancelled, 0);
    }
}

// Posted to this object's thread; a report of a search that was cancelled meanwhile is
// dropped there.
void LineSpeedSearch::Report(unsigned run, const std::function<void()>& emitIt) {
    QMetaObject::invokeMethod(
        this,
        [this, run, emitIt] {
            if (run == run_) {
                emitIt();
            }
        },
        Qt::QueuedConnection);
}
