// kelmstar-sim: a simulated NMEA 0183 receiver on a pseudo-terminal or writing to a file.

#include <signal.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "FileRunner.h"
#include "KelmstarVersion.h"
#include "LinePacer.h"
#include "NoiseInjector.h"
#include "OptionParser.h"
#include "PseudoTerminal.h"
#include "PtyRunner.h"
#include "ReceiverModel.h"

namespace {

using namespace kelmsim;

int writeFile(const SimOptions& options, ReceiverModel& model, NoiseInjector& noise) {
    std::ofstream out(*options.output, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "kelmstar-sim: cannot open " << *options.output << " for writing\n";
        return 1;
    }
    FileRunner(model, noise).run(out, options.duration);
    out.close();
    if (!out) {
        std::cerr << "kelmstar-sim: writing " << *options.output << " failed\n";
        return 1;
    }
    return 0;
}

int runTerminal(const SimOptions& options, ReceiverModel& model, NoiseInjector& noise) {
    // Blocked here and taken synchronously by the loop, so no handler and no shared flag.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGHUP);
    sigprocmask(SIG_BLOCK, &stop, nullptr);

    PseudoTerminal pty(options.link);
    std::cout << pty.linkPath() << std::endl;
    std::cerr << "kelmstar-sim: " << pty.linkPath() << " -> " << pty.devicePath() << '\n';
    std::ofstream timestamps;
    if (options.timestamps) {
        timestamps.open(*options.timestamps, std::ios::binary | std::ios::trunc);
        if (!timestamps) {
            std::cerr << "kelmstar-sim: cannot open " << *options.timestamps << " for writing\n";
            return 1;
        }
    }
    LinePacer pacer(options.baud);
    PtyRunner runner(model, noise, pacer, std::cerr, options.timestamps ? &timestamps : nullptr);
    if (options.uart) {
        runner.setUartBaud(options.baud);
    }
    runner.run(pty, options.duration, stop);
    timestamps.close();
    if (options.timestamps && !timestamps) {
        std::cerr << "kelmstar-sim: writing " << *options.timestamps << " failed\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const SimOptions options =
            OptionParser::parse(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << OptionParser::helpText();
            return 0;
        }
        if (options.version) {
            std::cout << "kelmstar-sim " << kKelmstarVersion << '\n';
            return 0;
        }
        ReceiverSettings settings = options.receiver;
        if (!options.startGiven) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            settings.startTime = GpsClock::fromUnixMillis(
                std::chrono::duration_cast<std::chrono::seconds>(now).count() * 1000);
        }
        ReceiverModel model(settings);
        NoiseInjector noise(options.byteNoise, options.cutNoise, settings.seed);
        return options.output ? writeFile(options, model, noise)
                              : runTerminal(options, model, noise);
    } catch (const OptionError& e) {
        std::cerr << "kelmstar-sim: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "kelmstar-sim: " << e.what() << '\n';
        return 1;
    }
}
