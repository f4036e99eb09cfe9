#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The network sources typed into the port box: "gpsd://HOST[:PORT]", "tcp://HOST:PORT" and
// "udp://[ADDRESS]:PORT". IPv6 addresses go in brackets ("tcp://[::1]:10110").
enum class NetworkKind { Gpsd, Tcp, Udp };

struct NetworkSource {
    NetworkKind kind = NetworkKind::Tcp;
    std::string host;  // empty only for UDP: every local address
    std::uint16_t port = 0;
};

inline constexpr std::uint16_t kGpsdDefaultPort = 2947;

// True when the name asks for a network source rather than a serial device.
bool IsNetworkSourceName(std::string_view name);

// Parses a network source name; on failure returns nullopt and says why in `error`.
std::optional<NetworkSource> ParseNetworkSource(std::string_view name, std::string& error);

// A source name (host, address, device or file) as messages show it: one longer than
// kLongestShownName is cut in the middle to that length, "..." marking the cut.
inline constexpr std::size_t kLongestShownName = 80;
std::string ShownName(std::string_view name);

// "host:port", with brackets around an IPv6 address.
std::string HostAndPort(const std::string& host, std::uint16_t port);

// What the user reads in a connect error: "gpsd at localhost:2947", "localhost:10110"; a
// long host name shortened (ShownName).
std::string DescribeSource(const NetworkSource& source);

// Why a command written to this port cannot reach the receiver, or nullptr when it can
// (serial devices and tcp:// sources).
const char* CommandRefusal(std::string_view portName);
