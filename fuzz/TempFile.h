#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The fuzz input written to a private file, removed again when this goes out of scope.
class TempFile {
public:
    TempFile(const std::uint8_t* data, std::size_t size);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* Path() const { return path_.c_str(); }
    bool Ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};
