#include "SourceConnector.h"

#include <unistd.h>

#include <utility>

#include "NetworkSourceName.h"
#include "SocketOpening.h"

SourceConnector::SourceConnector(QObject* parent) : QObject(parent) {
    setObjectName("SourceConnector");
    poll_.setInterval(kPollInterval);
    connect(&poll_, &QTimer::timeout, this, &SourceConnector::Poll);
}

SourceConnector::~SourceConnector() {
    DropFinished();
}

bool SourceConnector::Begin(const std::string& name, std::function<void()> ready) {
    std::string error;
    const std::optional<NetworkSource> source = ParseNetworkSource(name, error);
    if (!source) {
        return false;
    }
    ready_ = std::move(ready);
    if (opening_ && name == name_) {
        return true;
    }
    DropFinished();
    name_ = name;
    opening_ = std::make_unique<SocketOpening>(*source, lookup_);
    poll_.start();
    return true;
}

void SourceConnector::Cancel() {
    poll_.stop();
    opening_.reset();
    ready_ = nullptr;
    DropFinished();
}

std::optional<SocketOpenResult> SourceConnector::Take(const std::string& name) {
    if (!finished_ || name != name_) {
        return std::nullopt;
    }
    return std::exchange(finished_, std::nullopt);
}

void SourceConnector::Poll() {
    if (!opening_ || !opening_->Finished()) {
        return;
    }
    poll_.stop();
    DropFinished();
    finished_ = opening_->Take();
    opening_.reset();
    // May raise the port's error; the window reports it. A result left untaken is closed
    // by the next opening.
    if (const std::function<void()> ready = std::exchange(ready_, nullptr)) {
        ready();
    }
}

void SourceConnector::DropFinished() {
    if (finished_ && finished_->fd >= 0) {
        ::close(finished_->fd);
    }
    finished_.reset();
}
