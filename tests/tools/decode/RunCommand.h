#pragma once

#include <cstdio>
#include <string>
#include <vector>

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

// The lines of `text`, each without its line feed; a last line without one is left out.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}
