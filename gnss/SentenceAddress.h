#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The talkers of satellite receivers: one per system, BD as older BeiDou receivers write
// it, and GN for what several systems computed together.
enum class Talker { GP, GL, GA, GB, BD, GQ, GI, GN };

inline constexpr std::size_t kTalkerCount = 8;

// The sentences the decoder reads.
enum class GnssSentence { Gga, Rmc, Gns, Gsa, Gsv, Gll, Vtg };

// The address field of a sentence ("GNGSV"), split into its talker and type.
struct SentenceAddress {
    Talker talker;
    GnssSentence sentence;

    // Nothing for another talker (a proprietary "P..." address included) or type.
    static std::optional<SentenceAddress> Parse(std::string_view address);
};
