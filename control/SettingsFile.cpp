#include "SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

// A well-formed file is a few hundred bytes; anything past this is not a settings file.
constexpr std::size_t kMaxFileSize = 64 * 1024;

std::optional<std::string> ReadFileText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text;
    char chunk[4096];
    while (text.size() < kMaxFileSize && in.read(chunk, sizeof chunk).gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (text.size() > kMaxFileSize) {
        text.resize(kMaxFileSize);
    }
    return text;
}

// Takes values off the front of the file text the way "%d" and "%s" conversions do:
// leading white space is skipped and a value ends at the first character not part of it.
class ValueScanner {
public:
    explicit ValueScanner(std::string_view text) : rest_(text) {}

    std::optional<std::int32_t> Integer() {
        SkipSpace();
        std::string_view digits = rest_;
        const bool plus = !digits.empty() && digits.front() == '+';
        if (plus) {
            digits.remove_prefix(1);  // from_chars takes a minus sign only
        }
        if (plus && !digits.empty() && digits.front() == '-') {
            return std::nullopt;
        }
        std::int32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc()) {
            return std::nullopt;  // no digits, or a number that does not fit 32 bits
        }
        rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
        return value;
    }

    std::optional<std::string> Text(std::size_t maxLength) {
        SkipSpace();
        std::size_t length = 0;
        while (length < rest_.size() && !IsSpace(rest_[length])) {
            ++length;
        }
        if (length == 0 || length > maxLength) {
            return std::nullopt;
        }
        std::string value(rest_.substr(0, length));
        rest_.remove_prefix(length);
        return value;
    }

private:
    static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

    void SkipSpace() {
        while (!rest_.empty() && IsSpace(rest_.front())) {
            rest_.remove_prefix(1);
        }
    }

    std::string_view rest_;
};

bool ReadInteger(ValueScanner& scanner, std::int32_t& field) {
    const auto value = scanner.Integer();
    if (value) {
        field = *value;
    }
    return value.has_value();
}

bool ReadText(ValueScanner& scanner, std::string& field) {
    auto value = scanner.Text(InitSettings::kMaxTextLength);
    if (value) {
        field = std::move(*value);
    }
    return value.has_value();
}

bool Storable(const std::string& text) {
    return !text.empty() && text.size() <= InitSettings::kMaxTextLength;
}

std::string FormatSettings(const InitSettings& s) {
    std::string text =
        std::to_string(s.portNumber) + "\n" + s.lat + "\n" + s.lon + "\n" + s.height + "\n";
    for (const std::int32_t value :
         {s.clockoffset, s.year, s.month, s.date, s.hour, s.minute, s.second}) {
        text += std::to_string(value) + "\n";
    }
    return text + std::to_string(s.channels);  // no line break after the last value
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes `text` over the file's old bytes and only then cuts the file to its length. Unlike
// truncating first, this keeps the blocks the file already has, so a full disk cannot empty
// it; the room a longer text needs is reserved before the first byte changes.
bool OverwriteInPlace(int fd, std::string_view text) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        return WriteAll(fd, text);  // a device or a pipe takes the bytes as they come
    }
    const auto length = static_cast<off_t>(text.size());
    if (info.st_size < length && ::posix_fallocate(fd, 0, length) != 0) {
        return false;  // no room: the old values stay as they were
    }
    return WriteAll(fd, text) && ::fdatasync(fd) == 0 &&
           (info.st_size <= length || ::ftruncate(fd, length) == 0);
}

}  // namespace

std::int32_t ReadPortNumber(const char* path) {
    const auto text = ReadFileText(path);
    if (!text) {
        return 0;
    }
    ValueScanner scanner(*text);
    return scanner.Integer().value_or(0);
}

const char* StoredPortName(std::int32_t portNumber) {
    constexpr const char* kNames[] = {"COM1", "COM2", "COM3", "COM4"};
    return portNumber >= 1 && portNumber <= 4 ? kNames[portNumber - 1] : nullptr;
}

int ReadSettings(InitSettings& settings, const char* path) {
    const auto text = ReadFileText(path);
    if (!text) {
        return 0;
    }
    ValueScanner scanner(*text);
    // One step per value, in file order; the first one that fails ends the read.
    const auto steps = {
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.portNumber); },
        +[](ValueScanner& v, InitSettings& s) { return ReadText(v, s.lat); },
        +[](ValueScanner& v, InitSettings& s) { return ReadText(v, s.lon); },
        +[](ValueScanner& v, InitSettings& s) { return ReadText(v, s.height); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.clockoffset); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.year); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.month); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.date); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.hour); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.minute); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.second); },
        +[](ValueScanner& v, InitSettings& s) { return ReadInteger(v, s.channels); },
    };
    static_assert(InitSettings::kFieldCount == 12);
    int read = 0;
    for (const auto step : steps) {
        if (!step(scanner, settings)) {
            break;
        }
        ++read;
    }
    return read;
}

bool WriteSettings(const InitSettings& settings, const char* path) {
    if (!Storable(settings.lat) || !Storable(settings.lon) || !Storable(settings.height)) {
        return false;
    }
    const std::string text = FormatSettings(settings);
    // Opened as a plain write would open it: through a symbolic link, not at all when the
    // file is write-protected. Not blocking, so a pipe without reader fails instead of
    // hanging the program.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = OverwriteInPlace(fd, text);
    const bool closed = ::close(fd) == 0;
    return written && closed;
}
