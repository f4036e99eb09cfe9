#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ReceiverLink.h"

// Records every call the dialogs make to the main window, in order, with the bytes of
// each write.
class RecordingLink : public ReceiverLink {
public:
    bool WriteData(const void* data, std::uint16_t count) override {
        writes.emplace_back(static_cast<const char*>(data), count);
        calls.push_back("write");
        return true;
    }
    void ResetReceiveBuffer() override { calls.push_back("buffer"); }
    void ResetViews() override { calls.push_back("views"); }
    void ResetMap() override { calls.push_back("map"); }

    std::vector<std::string> writes;
    std::vector<std::string> calls;
};

// Five frames of `body` with its checksum, as the receiver expects them on the line.
inline std::string FiveFrames(const std::string& body, const std::string& checksum) {
    std::string frames;
    for (int i = 0; i < 5; ++i) {
        frames += body + checksum + "\r\n";
    }
    return frames;
}
