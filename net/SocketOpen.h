#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "NameLookup.h"
#include "NetworkSourceName.h"

// A non-blocking socket for a network source, or the reason there is none.
struct SocketOpenResult {
    int fd = -1;        // the caller owns it
    std::string error;  // "Connection refused"; empty when fd is valid
};

// Longest that resolving a host name, and then connecting (to all its addresses together),
// may take: a source that does not answer is reported in seconds, not left hanging.
inline constexpr std::chrono::milliseconds kResolveTimeout{2000};
inline constexpr std::chrono::milliseconds kConnectTimeout{3000};

// Connects a TCP socket (gpsd and tcp sources) to the first address of the host that
// answers, or binds a UDP socket (udp sources) to the address and port. A gpsd is asked for
// the receiver's sentences at once. A UDP port is shared with other programs only on a
// broadcast or multicast address; a multicast address joins its group.
// Host names are looked up through `lookup`: give the same one to every attempt at a source.
SocketOpenResult OpenSourceSocket(const NetworkSource& source,
                                  const NameLookup& lookup = NameLookup());

// The whole message for a source that cannot be opened:
// "Cannot connect to gpsd at localhost:2947: Connection refused".
std::string OpenErrorText(const NetworkSource& source, const std::string& reason);

// The message for a name that is no usable source: "Cannot use tcp://host: <reason>".
std::string NameErrorText(std::string_view name, const std::string& reason);
