#include "PlaybackFeeder.h"

namespace {

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

TokenResult ReadPlaybackToken(std::FILE* file, char (&line)[kPlaybackLineBufferSize], int& length) {
    int c = std::getc(file);
    while (c != EOF && IsSpace(c)) {
        c = std::getc(file);
    }
    if (c == EOF) {
        return TokenResult::EndOfFile;
    }
    length = 0;
    bool tooLong = false;
    for (; c != EOF && !IsSpace(c); c = std::getc(file)) {
        if (length < kPlaybackLineBufferSize - 1) {
            line[length++] = static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
    while (c != EOF && IsSpace(c)) {
        c = std::getc(file);
    }
    if (c != EOF) {
        std::ungetc(c, file);
    }
    return tooLong ? TokenResult::TooLong : TokenResult::Read;
}

int FeedPlaybackLines(std::FILE* file, ReceiveBuffer& buffer, const PlaybackLineTap& tap) {
    if (file == nullptr) {
        return 0;
    }
    char line[kPlaybackLineBufferSize];
    int fed = 0;
    for (int i = 0; i < kPlaybackLinesPerCall; ++i) {
        int length = 0;
        const TokenResult result = ReadPlaybackToken(file, line, length);
        if (result == TokenResult::EndOfFile) {
            break;
        }
        if (result == TokenResult::TooLong) {
            continue;
        }
        const std::string_view text(line, static_cast<std::size_t>(length));
        PutPlaybackLine(buffer, text);
        if (tap) {
            tap(text);
        }
        ++fed;
    }
    return fed;
}

void PutPlaybackLine(ReceiveBuffer& buffer, std::string_view line) {
    for (const char c : line) {
        buffer.Put(static_cast<std::uint8_t>(c));
    }
    buffer.Put('\n');
}

bool HasRoomFor(const ReceiveBuffer& buffer, std::size_t lineLength) {
    return static_cast<std::size_t>(buffer.Count()) + lineLength + 1 <=
           static_cast<std::size_t>(ReceiveBuffer::kCapacity);
}
