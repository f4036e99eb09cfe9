#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// The program binary run as a child, offscreen, in a folder of its own, and what the kernel
// says about it: resident memory and CPU time from /proc.
class ProgramProcess {
public:
    // Starts `binary` with `arguments` in `folder`, with QT_QPA_PLATFORM=offscreen and its
    // settings under `folder`/config. Throws std::runtime_error when it cannot be started.
    ProgramProcess(const std::string& binary, const std::vector<std::string>& arguments,
                   const std::string& folder);
    // Kills it.
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Running() const;
    // VmRSS in kilobytes; 0 once it has gone.
    std::int64_t RssKb() const;
    // User plus system time of all its threads so far, in seconds.
    double CpuSeconds() const;

private:
    pid_t pid_ = -1;
};
