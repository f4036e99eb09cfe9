#pragma once

#include <cstddef>
#include <cstdio>

// The sentence log: "GP" sentences appended as "$" and the framed text, line end included.
// Records are flushed at the end of each decode tick that wrote one, so a crash or a
// kill loses nothing framed before the last completed tick.
class SentenceLog {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    SentenceLog() = default;
    ~SentenceLog() { Close(); }
    SentenceLog(const SentenceLog&) = delete;
    SentenceLog& operator=(const SentenceLog&) = delete;

    // Opens `path` for appending; false (and nothing open) when it cannot be opened.
    bool Open(const char* path);
    bool IsOpen() const { return file_ != nullptr; }

    // Whether the log is open on the very file `other` reads or writes (the same device and
    // inode, however either was named).
    bool IsSameFileAs(std::FILE* other) const;

    // Appends the sentence when its text starts with "GP", or any sentence while every
    // talker is kept; true when a record was written.
    bool Write(const char* text);

    // Keeps the sentences of every talker (and proprietary ones), as they came, so that a
    // playback of the log shows what the receiver sent.
    void KeepEveryTalker(bool every) { everyTalker_ = every; }

    // Pushes the records written since the last flush to the file.
    void Flush();

    void Close();

private:
    std::FILE* file_ = nullptr;
    bool unflushed_ = false;
    bool everyTalker_ = false;
};
