#include "CommandLine.h"

#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <string>
#include <string_view>

#include "KelmstarVersion.h"

namespace CommandLine {

namespace {

constexpr const char* kUsageLine = "Usage: kelmstar [SOURCE] [Qt options] | --help | --version\n";

constexpr const char* kHelp =
    "Usage: kelmstar [SOURCE] [Qt options]\n"
    "       kelmstar --help | --version\n"
    "\n"
    "Kelmstar shows what an NMEA 0183 GPS receiver on a serial port or on the\n"
    "network reports, or plays back a recorded log, in five windows: signal levels,\n"
    "sky plot, map, measured values and raw sentences. It needs a graphical display\n"
    "(X11 or Wayland). It keeps \"pelzo.cfg\" and the default log \"pelzogps.log\" in\n"
    "the current folder.\n"
    "\n"
    "SOURCE starts the program on a data source at once, as if it had been chosen in\n"
    "Setup > Data Source and Start pressed:\n"
    "  a serial port     /dev/ttyUSB0, or COM1 to COMn for /dev/ttyS0 on (4800 baud)\n"
    "  a recorded log    a file such as pelzogps.log, played back at 4 lines/s\n"
    "  a network source  gpsd://HOST[:PORT], tcp://HOST:PORT, udp://[ADDRESS]:PORT\n"
    "A source that cannot be opened is reported and the program stays stopped.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Qt's own options are passed on to Qt: -platform NAME, -style NAME,\n"
    "-display DISPLAY, -session ID (each also as -platform=NAME) and -reverse.\n"
    "\n"
    "Exit status: 0 on success, 1 when no display can be opened, 2 on a usage error.\n";

// Qt's options that the program lets through, and whether each takes a value.
struct QtOption {
    std::string_view name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true}, {"style", true}, {"display", true}, {"session", true}, {"reverse", false},
};

// The Qt option `argument` names ("-style", "--style=x"), with the value given after "=".
const QtOption* FindQtOption(std::string_view argument, std::optional<std::string_view>& value) {
    if (argument.size() < 2 || argument[0] != '-') {
        return nullptr;
    }
    argument.remove_prefix(argument[1] == '-' ? 2 : 1);  // Qt takes "--style" as well
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    for (const QtOption& option : kQtOptions) {
        if (option.name == name && (equals == std::string_view::npos || option.takesValue)) {
            if (equals != std::string_view::npos) {
                value = argument.substr(equals + 1);
            }
            return &option;
        }
    }
    return nullptr;
}

enum class Request { Run, Help, Version };

// False on a usage error.
bool Parse(int argc, char** argv, Request& request, Arguments& arguments) {
    arguments = Arguments{};
    arguments.qt.emplace_back(argc > 0 ? argv[0] : "kelmstar");
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        std::optional<std::string_view> value;
        if (const QtOption* option = FindQtOption(argument, value)) {
            if (option->takesValue && !value) {
                if (i + 1 == argc) {
                    return false;
                }
                value = argv[++i];
            }
            arguments.qt.push_back("-" + std::string(option->name));
            if (value) {
                arguments.qt.emplace_back(*value);
            }
            arguments.platformNamed |= option->name == "platform" || option->name == "display";
            continue;
        }
        const bool help = argument == "--help" || argument == "-h";
        if ((help || argument == "--version") && request == Request::Run &&
            arguments.source.empty()) {
            request = help ? Request::Help : Request::Version;
            continue;
        }
        if (argument.empty() || argument[0] == '-' || request != Request::Run ||
            !arguments.source.empty()) {
            return false;
        }
        arguments.source = argument;
    }
    return true;
}

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

std::optional<int> Handle(int argc, char** argv, std::FILE* out, std::FILE* err,
                          Arguments& arguments) {
    Request request = Request::Run;
    if (!Parse(argc, argv, request, arguments)) {
        std::fputs(kUsageLine, err);
        return 2;
    }
    switch (request) {
        case Request::Help:
            std::fputs(kHelp, out);
            return 0;
        case Request::Version:
            std::fprintf(out, "kelmstar %s\n", kKelmstarVersion);
            return 0;
        case Request::Run:
            break;
    }
    return std::nullopt;
}

bool DisplayNamed(const Arguments& arguments, std::FILE* err) {
    if (arguments.platformNamed || !NamedDisplays().empty()) {
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
