// The whole program, offscreen, against kelmstar-sim on a pseudo-terminal: sentences lost
// or corrupted, the delay from a sentence's last byte to its values in the views, and the
// program's CPU use. Usage:
//   live_bench [--sim=PATH] [--baud=115200] [--rate=10] [--seconds=120] [--warm-up=3]
//              [--four-types] [--read-limit=MS] [--source=serial|gpsd|tcp] [--share-clients=N]
//              [--systems=gps,glonass,galileo,beidou]
// --read-limit sets the serial component's total read timeout, to compare read timings.
// --source puts gpsd or a TCP bridge between the simulator and the program; --share-clients
// switches sharing on with N clients reading it. --systems makes the simulator a receiver of
// those systems and the program decode every system.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "CommandOption.h"
#include "KelmstarApplication.h"
#include "LiveRun.h"

namespace {

LiveRun::Options ParseOptions(int argc, char** argv) {
    LiveRun::Options options;
    options.simulator = KELMSTAR_SIM;
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (Option(argv[i], "--sim", value)) {
            options.simulator = value;
        } else if (Option(argv[i], "--baud", value)) {
            options.baud = std::stoi(value);
        } else if (Option(argv[i], "--rate", value)) {
            options.rate = std::stoi(value);
        } else if (Option(argv[i], "--seconds", value)) {
            options.seconds = std::stod(value);
        } else if (Option(argv[i], "--warm-up", value)) {
            options.warmUp = std::stod(value);
        } else if (Option(argv[i], "--read-limit", value)) {
            options.readLimitMs = std::stoi(value);
        } else if (Option(argv[i], "--source", value)) {
            options.source = value;
        } else if (Option(argv[i], "--systems", value)) {
            options.systems = value;
        } else if (Option(argv[i], "--share-clients", value)) {
            options.shareClients = std::stoi(value);
        } else if (std::strcmp(argv[i], "--four-types") == 0) {
            options.allTypes = false;
        } else {
            throw std::invalid_argument(std::string("unknown option ") + argv[i]);
        }
    }
    return options;
}

void Report(const LiveRun::Options& options, const LiveRun::Result& r) {
    std::printf("live: %d baud, %d sentence groups/s, %s, systems %s, %.1f s measured\n",
                options.baud, options.rate, options.allTypes ? "all six types" : "GGA GSA GSV RMC",
                options.systems.c_str(), r.wallSeconds);
    std::printf("sentences written %lld, received %lld, shown %lld, lost %lld, corrupted %lld\n",
                static_cast<long long>(r.written), static_cast<long long>(r.received),
                static_cast<long long>(r.shown), static_cast<long long>(r.written - r.shown),
                static_cast<long long>(r.corrupted));
    const auto line = [](const char* what, const Distribution& d) {
        std::printf("%-44s median %7.1f ms  p99 %7.1f ms  max %7.1f ms\n", what, d.Median(),
                    d.Percentile(0.99), d.Max());
    };
    line("delay, last byte written -> in the views:", r.total);
    line("  read timing, written -> receive event:", r.read);
    line("  decode tick, receive event -> views:", r.tick);
    std::printf(
        "receive events %lld, %.0f bytes each on average\n", static_cast<long long>(r.blocks),
        r.blocks > 0 ? static_cast<double>(r.blockBytes) / static_cast<double>(r.blocks) : 0.0);
    std::printf("cpu: %.2f %% of one core (%.2f s in %.1f s)\n",
                r.wallSeconds > 0 ? 100.0 * r.cpuSeconds / r.wallSeconds : 0.0, r.cpuSeconds,
                r.wallSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    try {
        const LiveRun::Options options = ParseOptions(argc, argv);
        KelmstarApplication application(argc, argv);
        // A network source that is not listening yet is tried again, not shown in a box.
        application.reportError = [](const QString& text) {
            std::fprintf(stderr, "live_bench: %s\n", qPrintable(text));
        };
        const LiveRun::Result result = LiveRun(options).Run();
        Report(options, result);
        return result.shown > 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "live_bench: %s\n", e.what());
        return 1;
    }
}
