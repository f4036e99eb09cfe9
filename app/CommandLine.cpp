#include "CommandLine.h"

#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "KelmstarVersion.h"

namespace CommandLine {

namespace {

constexpr const char* kUsageLine = "Usage: kelmstar [--help | --version]\n";

constexpr const char* kHelp =
    "Usage: kelmstar [--help | --version]\n"
    "\n"
    "Kelmstar shows what an NMEA 0183 GPS receiver on a serial port reports, or plays\n"
    "back a recorded log, in five windows: signal levels, sky plot, map, measured\n"
    "values and raw sentences. It needs a graphical display (X11 or Wayland).\n"
    "It keeps \"pelzo.cfg\" and the default log \"pelzogps.log\" in the current folder.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when no display can be opened, 2 on a usage error.\n";

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// The display settings in force, such as "DISPLAY=:0", for the one line of a failure.
std::string NamedDisplays() {
    std::string named;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (IsSet(name)) {
            named += std::string(named.empty() ? "" : " ") + name + "=" + std::getenv(name);
        }
    }
    return named;
}

void ReportDisplayFailure(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg) {
        return;  // the platform's warnings on the way to the failure say the same at length
    }
    // Qt's own text advises reinstalling, which does not help with a display that is gone.
    std::fprintf(stderr, "kelmstar: cannot open the display (%s)\n", NamedDisplays().c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

std::optional<int> Handle(int argc, char** argv, std::FILE* out, std::FILE* err) {
    if (argc < 2) {
        return std::nullopt;
    }
    const char* option = argv[1];
    if (argc == 2 && (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0)) {
        std::fputs(kHelp, out);
        return 0;
    }
    if (argc == 2 && std::strcmp(option, "--version") == 0) {
        std::fprintf(out, "kelmstar %s\n", kKelmstarVersion);
        return 0;
    }
    std::fputs(kUsageLine, err);
    return 2;
}

bool DisplayNamed(std::FILE* err) {
    if (!NamedDisplays().empty()) {
        return true;
    }
    std::fputs("kelmstar: no display: DISPLAY and WAYLAND_DISPLAY are not set\n", err);
    return false;
}

DisplayFailureGuard::DisplayFailureGuard() {
    qInstallMessageHandler(ReportDisplayFailure);
}

DisplayFailureGuard::~DisplayFailureGuard() {
    qInstallMessageHandler(nullptr);
}

}  // namespace CommandLine
