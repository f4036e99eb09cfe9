#include "SocketOpening.h"

#include <unistd.h>

#include <mutex>
#include <system_error>
#include <thread>

struct SocketOpening::Shared {
    std::mutex mutex;
    bool finished = false;
    bool abandoned = false;
    SocketOpenResult result;

    void Finish(SocketOpenResult opened) {
        std::lock_guard lock(mutex);
        if (abandoned && opened.fd >= 0) {
            ::close(opened.fd);
            opened.fd = -1;
        }
        result = std::move(opened);
        finished = true;
    }
};

SocketOpening::SocketOpening(const NetworkSource& source, const NameLookup& lookup)
    : shared_(std::make_shared<Shared>()) {
    try {
        std::thread([shared = shared_, source, lookup] {
            shared->Finish(OpenSourceSocket(source, lookup));
        }).detach();
    } catch (const std::system_error& error) {
        shared_->Finish({-1, "no thread to connect on (" + std::string(error.what()) + ")"});
    }
}

SocketOpening::~SocketOpening() {
    std::lock_guard lock(shared_->mutex);
    shared_->abandoned = true;
    if (shared_->result.fd >= 0) {
        ::close(shared_->result.fd);  // finished, never taken
        shared_->result.fd = -1;
    }
}

bool SocketOpening::Finished() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->finished;
}

SocketOpenResult SocketOpening::Take() {
    std::lock_guard lock(shared_->mutex);
    SocketOpenResult taken = std::move(shared_->result);
    shared_->result = {};
    return taken;
}
