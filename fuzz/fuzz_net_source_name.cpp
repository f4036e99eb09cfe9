// The network source names typed into the port box: parsed, described and parsed again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "NetworkSourceName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto source = ParseNetworkSource(name, error);
    if (!source) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(IsNetworkSourceName(name));
    FUZZ_CHECK(source->port >= 1);
    FUZZ_CHECK(!source->host.empty() || source->kind == NetworkKind::Udp);
    // What the parse gave reads back the same.
    const char* scheme = source->kind == NetworkKind::Gpsd  ? "gpsd://"
                         : source->kind == NetworkKind::Tcp ? "tcp://"
                                                            : "udp://";
    const std::string again = scheme + HostAndPort(source->host, source->port);
    const auto reparsed = ParseNetworkSource(again, error);
    FUZZ_CHECK(reparsed && reparsed->kind == source->kind && reparsed->host == source->host &&
               reparsed->port == source->port);
    (void)DescribeSource(*source);
    (void)CommandRefusal(name);
    return 0;
}
