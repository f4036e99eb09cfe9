#pragma once

#include <memory>

#include "NetworkSourceName.h"
#include "SocketOpen.h"

// Opens a network source's socket on a thread of its own, so that the caller never waits
// for a name lookup or a connect. Destroying it abandons the opening: a socket that comes
// afterwards is closed.
class SocketOpening {
public:
    // Names are looked up through `lookup` (see NameLookup).
    SocketOpening(const NetworkSource& source, const NameLookup& lookup);
    ~SocketOpening();
    SocketOpening(const SocketOpening&) = delete;
    SocketOpening& operator=(const SocketOpening&) = delete;

    bool Finished() const;
    // The socket (the caller owns it) or the reason there is none; once Finished, and once.
    SocketOpenResult Take();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
