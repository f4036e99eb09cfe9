#pragma once

// What the pace of a playback needs to know of one recorded line.
struct PlaybackLineInfo {
    bool timed = false;       // a GGA or RMC sentence (any talker) with a UTC time
    double utcSeconds = 0.0;  // its time of day, 0 <= t < 86400
    bool position = false;    // a GGA or RMC the decoder reads, with a position
};

// Looks at a recorded line or a framed sentence (with or without its "$"); `length`
// characters of `text` are read, no terminating zero is needed. A position counts from the
// GP talker, or from any talker when `everyTalker` (every satellite system is decoded).
PlaybackLineInfo InspectPlaybackLine(const char* text, int length, bool everyTalker = false);
