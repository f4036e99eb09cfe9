#include "SocketOpen.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "GpsdLineFilter.h"

namespace {

using Clock = std::chrono::steady_clock;

int PollMs(Clock::time_point until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Connects without blocking longer than `until`; returns 0 or an errno value.
int ConnectBy(int fd, const sockaddr_storage& address, socklen_t length, Clock::time_point until) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        return 0;
    }
    if (errno != EINPROGRESS) {
        return errno;
    }
    pollfd entry{fd, POLLOUT, 0};
    int n;
    while ((n = ::poll(&entry, 1, PollMs(until))) < 0 && errno == EINTR) {
    }
    if (n == 0) {
        return ETIMEDOUT;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (n < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        return errno;
    }
    return error;
}

int NewSocket(const sockaddr_storage& address, int type) {
    return ::socket(address.ss_family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Commands are a few short writes: each goes at once. A peer that vanished without closing
// (a bridge switched off) is noticed within about half a minute rather than two hours, so
// that the source is hung up and opened again.
void KeepStreamAlive(int fd) {
    const int on = 1;
    const int idleSeconds = 10;
    const int intervalSeconds = 5;
    const int probes = 3;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

SocketOpenResult ConnectStream(const ResolvedAddresses& resolved) {
    const auto until = Clock::now() + kConnectTimeout;
    const std::size_t count = resolved.addresses.size();
    int lastError = EHOSTUNREACH;
    for (std::size_t i = 0; i < count && Clock::now() < until; ++i) {
        const int fd = NewSocket(resolved.addresses[i], SOCK_STREAM);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        // The time left is shared out among the addresses still to try: one that does not
        // answer (an IPv6 address without a route, say) leaves time for the others.
        const auto share = Clock::now() + (until - Clock::now()) / (count - i);
        lastError = ConnectBy(fd, resolved.addresses[i], resolved.lengths[i], share);
        if (lastError == 0) {
            KeepStreamAlive(fd);
            return {fd, {}};
        }
        ::close(fd);
    }
    return {-1, std::strerror(lastError)};
}

bool IsMulticast(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        return IN_MULTICAST(ntohl(v4.sin_addr.s_addr));
    }
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    return address.ss_family == AF_INET6 && IN6_IS_ADDR_MULTICAST(&v6.sin6_addr);
}

// 255.255.255.255 or the broadcast address of one of the computer's networks.
bool IsBroadcast(const sockaddr_storage& address) {
    if (address.ss_family != AF_INET) {
        return false;
    }
    const in_addr_t wanted = reinterpret_cast<const sockaddr_in&>(address).sin_addr.s_addr;
    if (wanted == htonl(INADDR_BROADCAST)) {
        return true;
    }
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) != 0) {
        return false;
    }
    bool found = false;
    for (const ifaddrs* i = interfaces; i != nullptr && !found; i = i->ifa_next) {
        const sockaddr* broadcast = i->ifa_broadaddr;
        found = (i->ifa_flags & IFF_BROADCAST) != 0 && broadcast != nullptr &&
                broadcast->sa_family == AF_INET &&
                reinterpret_cast<const sockaddr_in*>(broadcast)->sin_addr.s_addr == wanted;
    }
    ::freeifaddrs(interfaces);
    return found;
}

// Returns 0 or an errno value.
int JoinGroup(int fd, const sockaddr_storage& group) {
    int rc;
    if (group.ss_family == AF_INET) {
        ip_mreqn request{};
        request.imr_multiaddr = reinterpret_cast<const sockaddr_in&>(group).sin_addr;
        rc = ::setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request);
    } else {
        ipv6_mreq request{};
        request.ipv6mr_multiaddr = reinterpret_cast<const sockaddr_in6&>(group).sin6_addr;
        rc = ::setsockopt(fd, IPPROTO_IPV6, IPV6_JOIN_GROUP, &request, sizeof request);
    }
    return rc == 0 ? 0 : errno;
}

// Returns 0 or an errno value.
int BindTo(int fd, const sockaddr_storage& address, socklen_t length) {
    const bool multicast = IsMulticast(address);
    // Many programs may listen to one broadcast or multicast sender; a unicast port is one
    // program's, or a second one would silently take its datagrams.
    if (multicast || IsBroadcast(address)) {
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        return errno;
    }
    return multicast ? JoinGroup(fd, address) : 0;
}

SocketOpenResult BindDatagram(const ResolvedAddresses& resolved) {
    int lastError = EADDRNOTAVAIL;
    for (std::size_t i = 0; i < resolved.addresses.size(); ++i) {
        const int fd = NewSocket(resolved.addresses[i], SOCK_DGRAM);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        lastError = BindTo(fd, resolved.addresses[i], resolved.lengths[i]);
        if (lastError == 0) {
            return {fd, {}};
        }
        ::close(fd);
    }
    return {-1, std::strerror(lastError)};
}

// gpsd sends only its own reports until asked for the receiver's sentences. The request
// fits any fresh socket's send buffer, so one send sends it whole.
SocketOpenResult AskForSentences(SocketOpenResult connected) {
    const std::size_t size = sizeof kGpsdWatchNmea - 1;
    if (connected.fd >= 0 &&
        ::send(connected.fd, kGpsdWatchNmea, size, MSG_NOSIGNAL) != static_cast<ssize_t>(size)) {
        ::close(connected.fd);
        return {-1, "gpsd did not take the request for sentences"};
    }
    return connected;
}

}  // namespace

SocketOpenResult OpenSourceSocket(const NetworkSource& source, const NameLookup& lookup) {
    const bool udp = source.kind == NetworkKind::Udp;
    const ResolvedAddresses resolved =
        lookup.Resolve(source.host, source.port, udp ? SOCK_DGRAM : SOCK_STREAM, kResolveTimeout);
    if (!resolved.error.empty()) {
        return {-1, resolved.error};
    }
    if (udp) {
        return BindDatagram(resolved);
    }
    SocketOpenResult connected = ConnectStream(resolved);
    return source.kind == NetworkKind::Gpsd ? AskForSentences(std::move(connected)) : connected;
}

std::string NameErrorText(std::string_view name, const std::string& reason) {
    return "Cannot use " + ShownName(name) + ": " + reason;
}

std::string OpenErrorText(const NetworkSource& source, const std::string& reason) {
    const char* verb = source.kind == NetworkKind::Udp ? "Cannot listen on " : "Cannot connect to ";
    return verb + DescribeSource(source) + ": " + reason;
}
