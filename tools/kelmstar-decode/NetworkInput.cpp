#include "NetworkInput.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "LogDecoder.h"
#include "NetworkByteSource.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

// Without SA_RESTART, so that a wait in the source returns when the signal comes.
void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// "--duration=S": seconds, a positive number.
bool ParseDuration(const char* arg, std::optional<double>& seconds) {
    constexpr std::string_view kOption = "--duration=";
    if (std::strncmp(arg, kOption.data(), kOption.size()) != 0) {
        return false;
    }
    char* end = nullptr;
    const double value = std::strtod(arg + kOption.size(), &end);
    if (end == arg + kOption.size() || *end != '\0' || !(value > 0)) {
        return false;
    }
    seconds = value;
    return true;
}

}  // namespace

int DecodeNetworkInput(int argc, char** argv) {
    std::optional<double> seconds;
    for (int i = 2; i < argc; ++i) {
        if (!ParseDuration(argv[i], seconds)) {
            std::fprintf(stderr, "kelmstar-decode: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    std::string error;
    std::unique_ptr<ByteSource> source = OpenNetworkSource(argv[1], error);
    if (!source) {
        std::fprintf(stderr, "kelmstar-decode: %s\n", error.c_str());
        return 1;
    }
    CatchStopSignals();
    using Clock = std::chrono::steady_clock;
    const std::optional<Clock::time_point> until =
        seconds ? std::optional(Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                   std::chrono::duration<double>(*seconds)))
                : std::nullopt;
    LogDecoder decoder(stdout);
    char chunk[4096];
    bool ok = true;
    while (ok && !stopRequested && (!until || Clock::now() < *until)) {
        const ByteSource::ReadResult got =
            source->Read(chunk, sizeof chunk, std::chrono::milliseconds(100));
        if (got.status == ByteSource::Status::Data) {
            ok = decoder.Feed(chunk, got.count);
        } else if (got.status == ByteSource::Status::End) {
            break;
        } else if (got.status == ByteSource::Status::Failed) {
            std::fprintf(stderr, "kelmstar-decode: %s: %s\n", argv[1], source->ErrorText().c_str());
            decoder.Finish();
            return 1;
        }
    }
    ok = decoder.Finish() && ok;
    if (!ok) {
        std::fprintf(stderr, "kelmstar-decode: write error\n");
        return 1;
    }
    return 0;
}
