#pragma once

#include <string>

class Program;

// Starts the program on a source named on the command line, the way a user would: chooses
// it in "Data Source Setup" (a serial port or a network source typed into the port box, a
// log picked with "..." to be played back) and presses Start. A source that cannot be
// opened is reported as Start reports it, and the program stays stopped.
class StartOnSource {
public:
    enum class Kind { Port, Log, Network };

    // A name with a scheme ("tcp://") is a network source, "COMn" and a character device are
    // ports, any other existing file is a log. A name that does not exist is a port under
    // /dev/, otherwise a log (whose opening then fails as the user would see it fail).
    static Kind KindOf(const std::string& source);

    // Call once the windows are shown, from the event loop: Start's errors are thrown.
    static void Run(Program& program, const std::string& source);
};
