#pragma once

#include <cstdio>
#include <optional>

// The program's own options, handled before any window system is touched, so that
// "--help" and "--version" work without a display.
namespace CommandLine {

// Answers "--help" / "-h" and "--version" on `out`, and refuses anything else with a
// one-line usage on `err`. Returns the exit status when the program should end here,
// nothing when it should go on and open its windows.
std::optional<int> Handle(int argc, char** argv, std::FILE* out, std::FILE* err);

// Whether a window system can be reached: an X or Wayland display is named, or a Qt
// platform is chosen. Otherwise says so in one line on `err`.
bool DisplayNamed(std::FILE* err);

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
