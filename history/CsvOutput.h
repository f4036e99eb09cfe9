#pragma once

#include <cstdio>
#include <iosfwd>
#include <string>
#include <string_view>

// Where an export writes its lines: a stream or a C file. Ok() turns false at the first
// failed write.
class CsvOutput {
public:
    explicit CsvOutput(std::ostream& stream) : stream_(&stream) {}
    explicit CsvOutput(std::FILE* file) : file_(file) {}

    // Writes `line` and a line feed.
    void Line(std::string_view line);
    bool Ok() const;

private:
    std::ostream* stream_ = nullptr;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// `value` with `decimals` digits after the point ("%.*f"), for a CSV field.
std::string CsvNumber(double value, int decimals);
