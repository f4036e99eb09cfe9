#pragma once

#include <cstdio>
#include <string>

// What a shell command printed on standard output, and its wait status (-1 when it could
// not be started).
struct CommandResult {
    std::string output;
    int status = -1;
};

inline CommandResult RunCommandWithStatus(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        result.output.append(chunk, got);
    }
    result.status = ::pclose(pipe);
    return result;
}

inline std::string RunCommand(const std::string& command) {
    return RunCommandWithStatus(command).output;
}
