#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The program's own options, handled before any window system is touched, so that
// "--help" and "--version" work without a display.
namespace CommandLine {

// What the command line asks of a program that goes on to open its windows.
struct Arguments {
    // The data source to start on (SOURCE); empty for none.
    std::string source;
    // For Qt: the program's name, then Qt's own options with their values, "-platform=x"
    // written as "-platform" "x".
    std::vector<std::string> qt;
    // -platform or -display was given: a window system is named without the environment.
    bool platformNamed = false;
};

// Answers "--help" / "-h" and "--version" on `out`, and refuses an unknown option or a
// second SOURCE with a one-line usage on `err`. Returns the exit status when the program
// should end here; otherwise fills `arguments` and returns nothing.
std::optional<int> Handle(int argc, char** argv, std::FILE* out, std::FILE* err,
                          Arguments& arguments);

// Whether a window system can be reached: an X or Wayland display is named, or a Qt
// platform is chosen (in the environment or in `arguments`). Otherwise says so in one line
// on `err`.
bool DisplayNamed(const Arguments& arguments, std::FILE* err);

// Turns the window system's fatal start-up failure (a display that is named but cannot
// be opened) into one line on standard error and exit status 1 instead of an abort.
// Reverts to Qt's own message handling when the returned guard goes.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
};

}  // namespace CommandLine
