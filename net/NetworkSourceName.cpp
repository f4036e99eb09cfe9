#include "NetworkSourceName.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

struct Scheme {
    std::string_view prefix;
    NetworkKind kind;
};

constexpr Scheme kSchemes[] = {
    {"gpsd://", NetworkKind::Gpsd},
    {"tcp://", NetworkKind::Tcp},
    {"udp://", NetworkKind::Udp},
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

const Scheme* SchemeOf(std::string_view name) {
    for (const Scheme& scheme : kSchemes) {
        if (StartsWithNoCase(name, scheme.prefix)) {
            return &scheme;
        }
    }
    return nullptr;
}

bool ParsePort(std::string_view text, std::uint16_t& port) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > 65535) {
        return false;
    }
    port = static_cast<std::uint16_t>(value);
    return true;
}

bool ValidHost(std::string_view host) {
    return std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' ||
               c == ':' || c == '%';
    });
}

// Splits "host[:port]" or "[v6][:port]"; false when the brackets or colons do not fit.
bool SplitAuthority(std::string_view text, std::string_view& host,
                    std::optional<std::string_view>& port) {
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            return false;
        }
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (rest.empty()) {
            return true;
        }
        if (rest.front() != ':') {
            return false;
        }
        port = rest.substr(1);
        return true;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        host = text;
        return true;
    }
    if (text.find(':', colon + 1) != std::string_view::npos) {
        return false;  // an IPv6 address without brackets: the port cannot be told apart
    }
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    return true;
}

}  // namespace

bool IsNetworkSourceName(std::string_view name) {
    return SchemeOf(name) != nullptr;
}

std::optional<NetworkSource> ParseNetworkSource(std::string_view name, std::string& error) {
    const Scheme* scheme = SchemeOf(name);
    if (scheme == nullptr) {
        error = "not a network source (gpsd://, tcp:// or udp://)";
        return std::nullopt;
    }
    std::string_view rest = name.substr(scheme->prefix.size());
    if (!rest.empty() && rest.back() == '/') {
        rest.remove_suffix(1);
    }
    std::string_view host;
    std::optional<std::string_view> portText;
    if (!SplitAuthority(rest, host, portText) || !ValidHost(host)) {
        error = "not a valid address (write IPv6 addresses in brackets: [::1])";
        return std::nullopt;
    }
    NetworkSource source{scheme->kind, std::string(host), 0};
    if (portText) {
        if (!ParsePort(*portText, source.port)) {
            error = "the port must be a number from 1 to 65535";
            return std::nullopt;
        }
    } else if (source.kind == NetworkKind::Gpsd) {
        source.port = kGpsdDefaultPort;
    } else {
        error = "a port is needed (for example :10110)";
        return std::nullopt;
    }
    if (source.host.empty()) {
        if (source.kind == NetworkKind::Tcp) {
            error = "a host is needed";
            return std::nullopt;
        }
        if (source.kind == NetworkKind::Gpsd) {
            source.host = "localhost";
        }
    }
    return source;
}

std::string ShownName(std::string_view name) {
    if (name.size() <= kLongestShownName) {
        return std::string(name);
    }
    constexpr std::string_view kCut = "...";
    std::size_t headEnd = (kLongestShownName - kCut.size()) / 2;
    std::size_t tailBegin = name.size() - (kLongestShownName - kCut.size() - headEnd);
    // Not inside a UTF-8 character: its continuation bytes are 10xxxxxx.
    const auto continuation = [&](std::size_t i) { return (name[i] & 0xC0) == 0x80; };
    while (headEnd > 0 && continuation(headEnd)) {
        --headEnd;
    }
    while (tailBegin < name.size() && continuation(tailBegin)) {
        ++tailBegin;
    }
    return std::string(name.substr(0, headEnd)) + std::string(kCut) +
           std::string(name.substr(tailBegin));
}

std::string HostAndPort(const std::string& host, std::uint16_t port) {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string DescribeSource(const NetworkSource& source) {
    const std::string host = ShownName(source.host);
    switch (source.kind) {
        case NetworkKind::Gpsd:
            return "gpsd at " + HostAndPort(host, source.port);
        case NetworkKind::Udp:
            return "UDP " + HostAndPort(host.empty() ? "0.0.0.0" : host, source.port);
        case NetworkKind::Tcp:
            break;
    }
    return HostAndPort(host, source.port);
}

const char* CommandRefusal(std::string_view portName) {
    const Scheme* scheme = SchemeOf(portName);
    if (scheme == nullptr || scheme->kind == NetworkKind::Tcp) {
        return nullptr;
    }
    return scheme->kind == NetworkKind::Gpsd ? "Commands cannot reach the receiver through gpsd"
                                             : "Commands cannot reach the receiver through UDP";
}
