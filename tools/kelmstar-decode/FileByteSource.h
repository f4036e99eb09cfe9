#pragma once

#include <string>

#include "ByteSource.h"
#include "serial/FileDescriptor.h"

// A file, a pipe or standard input, read to its end.
class FileByteSource : public ByteSource {
public:
    // Standard input; it is not closed at the end.
    FileByteSource();
    // Opens `path` for reading; Valid() says whether that worked, ErrorText() why not.
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;

    bool Valid() const { return fd_ >= 0; }
    ReadResult Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) override;
    std::string ErrorText() const override { return error_; }

private:
    FileDescriptor owned_;
    int fd_ = -1;
    std::string error_;
};
