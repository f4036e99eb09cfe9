#include "SentenceLog.h"

#include <sys/stat.h>

#include <cstring>

bool SentenceLog::Open(const char* path) {
    Close();
    file_ = std::fopen(path, "a");
    if (file_ != nullptr) {
        // Larger than what one decode tick can write (64 records of at most 200 bytes),
        // so a tick's records reach the file whole, in the one write of the flush.
        std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    }
    return file_ != nullptr;
}

bool SentenceLog::IsSameFileAs(std::FILE* other) const {
    struct stat mine {};
    struct stat theirs {};
    return file_ != nullptr && other != nullptr && ::fstat(::fileno(file_), &mine) == 0 &&
           ::fstat(::fileno(other), &theirs) == 0 && mine.st_dev == theirs.st_dev &&
           mine.st_ino == theirs.st_ino;
}

bool SentenceLog::Write(const char* text) {
    if (file_ == nullptr || (!everyTalker_ && std::strncmp(text, "GP", 2) != 0)) {
        return false;
    }
    std::fputc('$', file_);
    std::fputs(text, file_);
    unflushed_ = true;
    return true;
}

void SentenceLog::Flush() {
    if (file_ != nullptr && unflushed_) {
        std::fflush(file_);
        unflushed_ = false;
    }
}

void SentenceLog::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    unflushed_ = false;
}
