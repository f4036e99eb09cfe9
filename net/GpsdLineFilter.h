#pragma once

#include <cstddef>

// What a gpsd client sends to get the receiver's own sentences next to gpsd's reports.
inline constexpr char kGpsdWatchNmea[] = "?WATCH={\"enable\":true,\"nmea\":true};\n";

// Takes gpsd's stream apart as it arrives: its own reports are JSON lines ("{...}"), the
// receiver's sentences are everything else. Works byte by byte in place and keeps no line,
// so a line without end costs nothing.
class GpsdLineFilter {
public:
    // Keeps the bytes of non-JSON lines at the front of `data`; returns how many.
    std::size_t Filter(char* data, std::size_t count);

private:
    enum class State { LineStart, Keep, Drop };
    State state_ = State::LineStart;
};
