#pragma once
// The simulated receiver's clock: milliseconds since the GPS epoch, 6 January 1980 00:00:00.
// Like the control program's own date conversion it applies no leap seconds, so a time of
// week sent by the program comes back as the same wall-clock time.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelmsim {

struct UtcTime {
    int year = 1980;
    int month = 1;
    int day = 6;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class GpsClock {
public:
    static constexpr std::int64_t kMillisPerWeek = 604800000;

    GpsClock() = default;
    static GpsClock fromUtc(const UtcTime& utc);
    static GpsClock fromUnixMillis(std::int64_t unixMillis);
    static GpsClock fromWeek(int week, double timeOfWeekSeconds);
    // "YYYY-MM-DDTHH:MM:SS" (a blank may stand for the T); nullopt when malformed or out of
    // range.
    static std::optional<GpsClock> parse(std::string_view text);

    std::int64_t millis() const { return millis_; }
    void advance(std::int64_t millis) { millis_ += millis; }
    int week() const;
    double timeOfWeek() const;
    UtcTime utc() const;

private:
    explicit GpsClock(std::int64_t millis) : millis_(millis) {}
    std::int64_t millis_ = 0;
};

}  // namespace kelmsim
