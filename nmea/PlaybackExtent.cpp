#include "PlaybackExtent.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "PlaybackLine.h"

int PlaybackProgress(long long position, long long size, int steps) {
    if (size <= 0 || position <= 0) {
        return 0;
    }
    if (position >= size) {
        return steps;
    }
    return static_cast<int>(static_cast<double>(position) / static_cast<double>(size) * steps);
}

PlaybackExtent FindPlaybackExtent(std::FILE* file) {
    PlaybackExtent extent;
    struct stat status {};
    if (file == nullptr || ::fstat(::fileno(file), &status) != 0) {
        return extent;
    }
    extent.size = status.st_size;
    static_assert(kPlaybackTailBytes > 0);
    std::array<char, kPlaybackTailBytes> tail;
    const off_t from =
        status.st_size > kPlaybackTailBytes ? status.st_size - kPlaybackTailBytes : 0;
    const ssize_t got = ::pread(::fileno(file), tail.data(), tail.size(), from);
    if (got <= 0) {
        return extent;
    }
    // Line by line from the end; the first line of the tail may be cut, so it counts
    // only when the tail is the whole file.
    int end = static_cast<int>(got);
    while (end > 0) {
        int start = end - 1;
        while (start > 0 && tail[start - 1] != '\n' && tail[start - 1] != '\r') {
            --start;
        }
        if (start > 0 || from == 0) {
            const PlaybackLineInfo info = InspectPlaybackLine(&tail[start], end - start);
            if (info.timed) {
                extent.timed = true;
                extent.lastUtc = info.utcSeconds;
                return extent;
            }
        }
        end = start - 1;
    }
    return extent;
}
