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

// Puts one line and a line feed after it into the buffer.
void PutPlaybackLine(ReceiveBuffer& buffer, std::string_view line);

// Whether the buffer has room for the line and its line feed.
bool HasRoomFor(const ReceiveBuffer& buffer, std::size_t lineLength);

inline constexpr int kPlaybackLinesPerCall = 4;
inline constexpr int kPlaybackLineBufferSize = 512;

enum class TokenResult { Read, TooLong, EndOfFile };

// Reads one token into `line` (leading white space skipped, the white space after it
// skipped too); a token that does not fit is read to its end and reported TooLong.
TokenResult ReadPlaybackToken(std::FILE* file, char (&line)[kPlaybackLineBufferSize], int& length);
