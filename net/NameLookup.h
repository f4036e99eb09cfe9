#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The addresses a host name stands for, or why there are none.
struct ResolvedAddresses {
    std::vector<sockaddr_storage> addresses;
    std::vector<socklen_t> lengths;
    std::string error;  // empty when resolved
};

// Looks host names up with a time limit. getaddrinfo cannot be given one, so each lookup
// runs on a thread of its own that is left to finish alone when the limit passes. While
// the resolver hangs, such threads would pile up, one per attempt to connect: instead a
// lookup still running for the same name and port is waited on again, and at most
// kMaxRunning run at once. Copies share their lookups; the threads outlive them safely.
class NameLookup {
public:
    static constexpr std::size_t kMaxRunning = 4;

    NameLookup();

    // `host` empty: the wildcard address, for a socket that listens.
    ResolvedAddresses Resolve(const std::string& host, std::uint16_t port, int socketType,
                              std::chrono::milliseconds timeout) const;

private:
    struct Registry;
    std::shared_ptr<Registry> registry_;
};
