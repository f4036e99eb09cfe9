// Memory after an hour of data: an hour of simulated sentences (all six types, one group a
// second) is fed through the program's intake, decode ticks and refresh ticks, faster than
// real time, by calling the handlers directly as the timers and the serial port would.
// Prints the resident set size before and along the way; past 24 hours the track history
// is full and each new point replaces the oldest. Usage:
//   hour_bench [--sim=PATH] [--hours=1]

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "KelmstarApplication.h"
#include "ProcessStats.h"
#include "Program.h"
#include "TMainForm.h"

namespace {

// Reads the log one second at a time: from one GGA sentence to the next. Streamed, so that
// the data waiting to be replayed does not count in the program's memory.
bool NextSecond(std::istream& in, std::string& carry, std::string& second) {
    second = carry;
    carry.clear();
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("$GPGGA", 0) == 0 && !second.empty()) {
            carry = line + "\n";
            return true;
        }
        second += line + "\n";
    }
    return !second.empty();
}

std::string MakeLog(const std::string& simulator, double hours, const std::string& path) {
    QProcess sim;
    sim.start(QString::fromStdString(simulator),
              {"--output=" + QString::fromStdString(path),
               "--duration=" + QString::number(hours * 3600.0), "--gll", "--vtg",
               "--start-mode=hot", "--start=2026-05-14T08:00:00", "--seed=7"});
    if (!sim.waitForFinished(600000) || sim.exitCode() != 0) {
        return "kelmstar-sim failed: " + sim.readAllStandardError().toStdString();
    }
    return {};
}

void Feed(TMainForm& main, const std::string& bytes) {
    // As the serial reader would: blocks of up to 2048 bytes.
    for (std::size_t at = 0; at < bytes.size(); at += 2048) {
        const std::size_t n = std::min<std::size_t>(2048, bytes.size() - at);
        main.Comm1ReceiveData(main.Comm1, bytes.data() + at, static_cast<std::uint16_t>(n));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    std::string simulator = KELMSTAR_SIM;
    double hours = 1.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--sim=", 6) == 0) {
            simulator = argv[i] + 6;
        } else if (std::strncmp(argv[i], "--hours=", 8) == 0) {
            hours = std::atof(argv[i] + 8);
        } else {
            std::fprintf(stderr, "hour_bench: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    char pattern[] = "/tmp/kelmstar-hour-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const std::filesystem::path directory = pattern;
    std::filesystem::current_path(directory);
    const std::string log = (directory / "hour.log").string();

    KelmstarApplication application(argc, argv);
    if (const std::string error = MakeLog(simulator, hours, log); !error.empty()) {
        std::fprintf(stderr, "hour_bench: %s\n", error.c_str());
        return 1;
    }
    std::ifstream in(log, std::ios::binary);
    int result = 0;
    {
        Program program;
        program.Show();
        QCoreApplication::processEvents();
        TMainForm& main = program.MainForm();
        const std::int64_t before = ProcessStats::RssKb();
        std::printf("RSS with the program shown, before any data: %lld kB\n",
                    static_cast<long long>(before));
        // Ticks per second of data, as the timers give them.
        const int decodeTicks = 1000 / TMainForm::kDecodeInterval + 1;
        const std::int64_t startNanos = ProcessStats::MonotonicNanos();
        std::int64_t afterFirstMinute = 0;
        std::size_t done = 0;
        std::string carry;
        for (std::string second; NextSecond(in, carry, second);) {
            Feed(main, second);
            for (int t = 0; t < decodeTicks; ++t) {
                main.Timer1Timer();
            }
            main.Timer2Timer();
            QCoreApplication::processEvents();  // the views repaint as they would live
            ++done;
            if (done == 60) {
                afterFirstMinute = ProcessStats::RssKb();
            }
            if (done % (done <= 3600 ? 600 : 3600) == 0) {
                std::printf("after %6.2f h of data (%zu s, %d track points): RSS %lld kB\n",
                            static_cast<double>(done) / 3600.0, done, program.State().mapPointCount,
                            static_cast<long long>(ProcessStats::RssKb()));
                std::fflush(stdout);
            }
        }
        const std::int64_t after = ProcessStats::RssKb();
        const double wall = static_cast<double>(ProcessStats::MonotonicNanos() - startNanos) / 1e9;
        std::printf(
            "%zu s of data replayed in %.1f s; RSS before %lld kB, after the first "
            "minute %lld kB, at the end %lld kB (growth after the first minute %lld kB)\n",
            done, wall, static_cast<long long>(before), static_cast<long long>(afterFirstMinute),
            static_cast<long long>(after), static_cast<long long>(after - afterFirstMinute));
        std::printf("peak RSS of the whole run: %lld kB\n",
                    static_cast<long long>(ProcessStats::PeakRssKb()));
        result = program.State().mapPointCount > 0 ? 0 : 1;
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(directory);
    return result;
}
