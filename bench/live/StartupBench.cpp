// Start-up time: from the start of a new process to the first painted main window. The
// measuring process starts itself again with --child, which runs the program as its main()
// does, prints the monotonic time of the first paint and ends. Usage:
//   startup_bench [--runs=9]

#include <sys/wait.h>
#include <unistd.h>

#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Distribution.h"
#include "FirstPaintWatcher.h"
#include "KelmstarApplication.h"
#include "ProcessStats.h"
#include "Program.h"
#include "TMainForm.h"

namespace {

int RunChild(int argc, char** argv) {
    KelmstarApplication application(argc, argv);
    Program program;
    FirstPaintWatcher watcher([&application](std::int64_t nanos) {
        std::printf("%lld\n", static_cast<long long>(nanos));
        std::fflush(stdout);
        application.quit();
    });
    program.MainForm().installEventFilter(&watcher);
    program.Show();
    QTimer::singleShot(10000, &application, [] { std::exit(3); });  // never painted
    return application.exec();
}

// Starts `self --child`; returns the milliseconds from just before the fork to the paint,
// or a negative number when the child failed.
double TimeOneStart(const char* self) {
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    const std::int64_t start = ProcessStats::MonotonicNanos();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        execl(self, self, "--child", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char chunk[64];
    for (ssize_t n; (n = read(out[0], chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty()) {
        return -1;
    }
    return static_cast<double>(std::stoll(text) - start) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(argc, argv);
    }
    int runs = 9;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--runs=", 7) == 0) {
            runs = std::max(1, std::atoi(argv[i] + 7));
        } else {
            std::fprintf(stderr, "startup_bench: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    // The program reads pelzo.cfg from the current folder: start each run in an empty one.
    char pattern[] = "/tmp/kelmstar-startup-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::filesystem::current_path(pattern);
    Distribution times;
    for (int run = 0; run < runs; ++run) {
        const double ms = TimeOneStart(self.c_str());
        if (ms < 0) {
            std::fprintf(stderr, "startup_bench: run %d failed\n", run + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", run + 1, ms);
        times.Add(ms);
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(pattern);
    std::printf(
        "start-up to the first painted main window (%s): median %.1f ms, max %.1f ms, "
        "%d runs\n",
        qgetenv("QT_QPA_PLATFORM").constData(), times.Median(), times.Max(), runs);
    return 0;
}
