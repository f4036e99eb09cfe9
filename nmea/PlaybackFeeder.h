#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

#include "ReceiveBuffer.h"

// Feeds recorded lines into the receive buffer: each call reads up to four
// whitespace-delimited tokens from `file` and puts each, followed by a line feed.
// A token longer than the 512-byte line buffer holds (511 characters) is skipped
// whole; at the end of the file nothing more is fed. Returns the tokens fed.
// `tap`, when set, also sees each line fed (without its line feed).
using PlaybackLineTap = std::function<void(std::string_view line)>;
int FeedPlaybackLines(std::FILE* file, ReceiveBuffer& buffer, const PlaybackLineTap& tap = {});

inline constexpr int kPlaybackLinesPerCall = 4;
inline constexpr int kPlaybackLineBufferSize = 512;

enum class TokenResult { Read, TooLong, EndOfFile };

// Reads one token into `line` (leading white space skipped, the white space after it
// skipped too); a token that does not fit is read to its end and reported TooLong.
TokenResult ReadPlaybackToken(std::FILE* file, char (&line)[kPlaybackLineBufferSize], int& length);
