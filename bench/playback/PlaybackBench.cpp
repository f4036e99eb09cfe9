// A recorded log played through the whole program, offscreen, at a chosen speed
// ("Fastest" unless told): the playback file is picked in the Data Source Setup dialog
// and played as a user would, while a 1 ms timer watches how long the event loop is held.
// With --history the Signal History and Position Statistics views are open meanwhile.
// Prints the resident set size along the way, what the history views hold at the end and,
// as its last line,
//   sentences=N positions=P map_points=M seconds=S max_stall_ms=X
// Usage: playback_bench LOG [--speed=fastest|60x|10x|realtime|4lines] [--timeout=SECONDS]
//                           [--history]

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "KelmstarApplication.h"
#include "PlaybackControl.h"
#include "ProcessStats.h"
#include "Program.h"
#include "TData.h"
#include "TMainForm.h"

namespace {

bool ParseSpeed(const std::string& name, PlaybackControl::Speed& speed) {
    static const std::pair<const char*, PlaybackControl::Speed> kNames[] = {
        {"fastest", PlaybackControl::Speed::Fastest},
        {"60x", PlaybackControl::Speed::Times60},
        {"10x", PlaybackControl::Speed::Times10},
        {"realtime", PlaybackControl::Speed::RealTime},
        {"4lines", PlaybackControl::Speed::Lines4},
    };
    for (const auto& [text, value] : kNames) {
        if (name == text) {
            speed = value;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    std::string log;
    PlaybackControl::Speed speed = PlaybackControl::Speed::Fastest;
    double timeout = 600;
    bool history = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--speed=", 8) == 0) {
            if (!ParseSpeed(argv[i] + 8, speed)) {
                std::fprintf(stderr, "playback_bench: unknown speed %s\n", argv[i] + 8);
                return 2;
            }
        } else if (std::strncmp(argv[i], "--timeout=", 10) == 0) {
            timeout = std::atof(argv[i] + 10);
        } else if (std::strcmp(argv[i], "--history") == 0) {
            history = true;
        } else if (argv[i][0] != '-' && log.empty()) {
            log = std::filesystem::absolute(argv[i]).string();
        } else {
            std::fprintf(stderr,
                         "usage: playback_bench LOG [--speed=NAME] [--timeout=S] [--history]\n");
            return 2;
        }
    }
    if (log.empty() || !std::filesystem::exists(log)) {
        std::fprintf(stderr, "playback_bench: no log file given or found\n");
        return 2;
    }
    // The program reads "pelzo.cfg" from its current directory: run in an empty one.
    char pattern[] = "/tmp/kelmstar-playback-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const std::filesystem::path directory = pattern;
    std::filesystem::current_path(directory);

    KelmstarApplication application(argc, argv);
    int result = 1;
    {
        Program program;
        program.Show();
        QCoreApplication::processEvents();
        TMainForm& main = program.MainForm();
        main.runModal = [](QDialog&) { return int(QDialog::Accepted); };
        main.runFileDialog = [&log](QFileDialog&) { return QString::fromStdString(log); };
        TData& data = *program.Windows().Data;
        data.file->click();
        data.browseClick();
        data.BitBtn1Click();
        main.Playback->SetSpeed(speed);
        if (history) {
            main.SignalHistory1->trigger();
            main.PositionStatistics1->trigger();
        }
        const std::int64_t rssBefore = ProcessStats::RssKb();
        std::printf("RSS with the program shown: %lld kB\n", static_cast<long long>(rssBefore));

        QEventLoop loop;
        // The first layout and paint of the windows belong to start-up, not to the playback.
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
        loop.exec();
        QElapsedTimer wall;
        QElapsedTimer sinceLastTurn;
        qint64 maxStallNs = 0;
        qint64 nextReport = 10;
        QTimer watch;
        watch.setTimerType(Qt::PreciseTimer);
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            maxStallNs = std::max(maxStallNs, sinceLastTurn.nsecsElapsed());
            sinceLastTurn.start();
            if (wall.elapsed() / 1000 >= nextReport) {
                std::printf("after %lld s: %lld sentences, RSS %lld kB\n", nextReport,
                            main.Playback->SentencesPaced(),
                            static_cast<long long>(ProcessStats::RssKb()));
                std::fflush(stdout);
                nextReport += 10;
            }
            if (main.Playback->Finished() || wall.elapsed() > timeout * 1000) {
                loop.quit();
            }
        });
        wall.start();
        sinceLastTurn.start();
        watch.start();
        main.Start1Click();
        loop.exec();
        const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        const bool finished = main.Playback->Finished();
        main.Stop1Click();
        std::printf("RSS at the end: %lld kB (peak %lld kB)%s\n",
                    static_cast<long long>(ProcessStats::RssKb()),
                    static_cast<long long>(ProcessStats::PeakRssKb()),
                    finished ? "" : "; the playback did NOT finish in time");
        const TimeWindow kept = main.History().Signals().Kept();
        std::printf("history: %lld seconds of signals kept, %zu satellite signals, %zu fixes%s\n",
                    static_cast<long long>(kept.Seconds()),
                    main.History().Signals().Satellites().size(),
                    main.History().Positions().Count(), history ? " (both views open)" : "");
        std::printf("sentences=%lld positions=%lld map_points=%d seconds=%.2f max_stall_ms=%.1f\n",
                    main.Playback->SentencesPaced(), main.Playback->PositionsPaced(),
                    program.State().mapPointCount, seconds, static_cast<double>(maxStallNs) / 1e6);
        result = finished ? 0 : 1;
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(directory);
    return result;
}
