#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "LineSpeedDetector.h"

// Runs a line-speed search on a thread of its own, so that the dialog that started it stays
// responsive, and reports back on the thread that owns this object.
class LineSpeedSearch : public QObject {
    Q_OBJECT

public:
    explicit LineSpeedSearch(QObject* parent = nullptr);
    // Ends a search still running, without reporting it.
    ~LineSpeedSearch() override;

    // Starts searching `path` from `first` on (see LineSpeedDetector), cancelling a search
    // still running; its reports are dropped.
    void Start(const std::string& path, std::int32_t first, std::vector<std::int32_t> others);
    // Ends a running search within a few tens of milliseconds; Finished reports Cancelled.
    void Cancel();
    bool Running() const { return running_; }

signals:
    void Trying(int baudRate);
    void Finished(LineSpeedDetector::Outcome outcome, int baudRate);

private:
    void Report(unsigned run, const std::function<void()>& emitIt);

    std::jthread worker_;
    unsigned run_ = 0;  // the search whose reports count; older ones are dropped
    bool running_ = false;
};
