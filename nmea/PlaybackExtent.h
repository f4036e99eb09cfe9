#pragma once

#include <cstdio>

// How long a playback file is: its size in bytes and the UTC time of its last GGA or
// RMC. Read without moving the stream's position, so a playback in progress is not
// disturbed.
struct PlaybackExtent {
    long long size = 0;
    bool timed = false;  // a GGA or RMC time was found near the end
    double lastUtc = 0.0;
};

// Looks at the file's size and its last kTailBytes for the last timed line.
PlaybackExtent FindPlaybackExtent(std::FILE* file);

inline constexpr int kPlaybackTailBytes = 64 * 1024;

// How far `position` is into a file of `size` bytes, in `steps` (0 to steps), without
// overflowing on files of any size or on 32-bit builds.
int PlaybackProgress(long long position, long long size, int steps);
