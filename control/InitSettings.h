#pragma once

#include <cstdint>
#include <string>

// The twelve values kept in the settings file, in file order. The defaults are the
// texts the "Receiver Initialization" dialog shows when no file is present.
struct InitSettings {
    static constexpr int kFieldCount = 12;
    // Each text is read back into a buffer of this many bytes, terminating zero included.
    static constexpr std::size_t kTextSize = 100;
    static constexpr std::size_t kMaxTextLength = kTextSize - 1;

    std::int32_t portNumber = 0;  // 1..4 for "COM1".."COM4"; 0 when none is stored
    std::string lat = "24.1233321";
    std::string lon = "121.43323";
    std::string height = "0";
    std::int32_t clockoffset = 75000;
    std::int32_t year = 1990;
    std::int32_t month = 1;
    std::int32_t date = 2;
    std::int32_t hour = 12;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t channels = 12;
};
