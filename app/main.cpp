#include <cstdio>

#include "CommandLine.h"
#include "KelmstarApplication.h"
#include "Program.h"

namespace {

// The application object, made only once a display is known to be there.
int RunProgram(int argc, char** argv) {
    std::optional<CommandLine::DisplayFailureGuard> guard{std::in_place};
    KelmstarApplication application(argc, argv);
    guard.reset();
    Program program;
    program.Show();
    return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = CommandLine::Handle(argc, argv, stdout, stderr)) {
        return *status;
    }
    if (!CommandLine::DisplayNamed(stderr)) {
        return 1;
    }
    return RunProgram(argc, argv);
}
