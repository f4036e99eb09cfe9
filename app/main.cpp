#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "KelmstarApplication.h"
#include "Program.h"

namespace {

// The application object, made only once a display is known to be there. Qt is given its
// own options only: the source is the program's.
int RunProgram(CommandLine::Arguments& arguments) {
    std::vector<char*> qtArgv;
    for (std::string& argument : arguments.qt) {
        qtArgv.push_back(argument.data());
    }
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(arguments.qt.size());
    std::optional<CommandLine::DisplayFailureGuard> guard{std::in_place};
    KelmstarApplication application(qtArgc, qtArgv.data());
    guard.reset();
    Program program;
    program.Show();
    if (!arguments.source.empty()) {
        program.StartOn(arguments.source);
    }
    return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine::Arguments arguments;
    if (const auto status = CommandLine::Handle(argc, argv, stdout, stderr, arguments)) {
        return *status;
    }
    if (!CommandLine::DisplayNamed(arguments, stderr)) {
        return 1;
    }
    return RunProgram(arguments);
}
