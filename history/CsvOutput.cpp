#include "CsvOutput.h"

#include <ostream>

void CsvOutput::Line(std::string_view line) {
    if (failed_) {
        return;
    }
    if (stream_ != nullptr) {
        stream_->write(line.data(), static_cast<std::streamsize>(line.size())).put('\n');
        failed_ = !*stream_;
        return;
    }
    failed_ = std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
              std::fputc('\n', file_) == EOF;
}

bool CsvOutput::Ok() const {
    return !failed_;
}

std::string CsvNumber(double value, int decimals) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return std::string(text, length > 0 && length < static_cast<int>(sizeof text)
                                 ? static_cast<std::size_t>(length)
                                 : 0);
}
