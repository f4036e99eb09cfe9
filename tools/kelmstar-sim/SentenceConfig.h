#pragma once
// Which sentences the receiver sends, how often, and whether with a checksum. The message
// codes of the rate command are the enumerator values.

#include <array>
#include <cstdint>

namespace kelmsim {

enum class OutputSentence { GGA = 0, GLL = 1, GSA = 2, GSV = 3, RMC = 4, VTG = 5 };
constexpr int kOutputSentenceCount = 6;

const char* sentenceName(OutputSentence sentence);

struct SentenceSetting {
    int interval = 1;  // in output periods (seconds at 1 Hz); 0 switches the sentence off
    bool withChecksum = true;
};

class SentenceConfig {
public:
    // GGA, GSA, GSV and RMC every period; GLL and VTG off.
    SentenceConfig();

    const SentenceSetting& setting(OutputSentence sentence) const;
    void set(OutputSentence sentence, SentenceSetting setting);
    // Anchored on the epoch count since the GPS epoch, so an interval of 5 at 1 Hz gives the
    // sentence at seconds 0, 5, 10 ... of every minute.
    bool due(OutputSentence sentence, std::int64_t epochIndex) const;

private:
    std::array<SentenceSetting, kOutputSentenceCount> settings_;
};

}  // namespace kelmsim
