#include "NameLookup.h"

#include <netdb.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

struct Pending {
    std::condition_variable done;
    bool finished = false;
    ResolvedAddresses result;
};

ResolvedAddresses RunLookup(const std::string& host, std::uint16_t port, int socketType) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = socketType;
    hints.ai_flags = AI_NUMERICSERV | (host.empty() ? AI_PASSIVE : AI_ADDRCONFIG);
    addrinfo* list = nullptr;
    const std::string service = std::to_string(port);
    ResolvedAddresses resolved;
    const int rc =
        ::getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &list);
    if (rc != 0) {
        resolved.error = rc == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(rc);
        return resolved;
    }
    for (const addrinfo* a = list; a != nullptr; a = a->ai_next) {
        sockaddr_storage storage{};
        std::memcpy(&storage, a->ai_addr, std::min<std::size_t>(a->ai_addrlen, sizeof storage));
        resolved.addresses.push_back(storage);
        resolved.lengths.push_back(a->ai_addrlen);
    }
    ::freeaddrinfo(list);
    return resolved;
}

}  // namespace

// The lookups under way, by name, port and socket type; shared with their threads.
struct NameLookup::Registry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<Pending>> running;
};

NameLookup::NameLookup() : registry_(std::make_shared<Registry>()) {}

ResolvedAddresses NameLookup::Resolve(const std::string& host, std::uint16_t port, int socketType,
                                      std::chrono::milliseconds timeout) const {
    const std::string key = host + '\n' + std::to_string(port) + '\n' + std::to_string(socketType);
    std::unique_lock lock(registry_->mutex);
    std::shared_ptr<Pending>& slot = registry_->running[key];
    if (!slot) {
        if (registry_->running.size() > kMaxRunning) {
            registry_->running.erase(key);
            return {{}, {}, "too many host names are being looked up"};
        }
        slot = std::make_shared<Pending>();
        try {
            std::thread([registry = registry_, pending = slot, key, host, port, socketType] {
                ResolvedAddresses result = RunLookup(host, port, socketType);
                std::lock_guard done(registry->mutex);
                pending->result = std::move(result);
                pending->finished = true;
                registry->running.erase(key);
                pending->done.notify_all();
            }).detach();
        } catch (const std::system_error&) {
            registry_->running.erase(key);
            lock.unlock();
            return RunLookup(host, port, socketType);
        }
    }
    const std::shared_ptr<Pending> pending = slot;
    if (!pending->done.wait_for(lock, timeout, [&] { return pending->finished; })) {
        return {{}, {}, "the host name could not be resolved in time"};
    }
    return pending->result;
}
