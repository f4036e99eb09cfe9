#include "SentenceConfig.h"

namespace kelmsim {

const char* sentenceName(OutputSentence sentence) {
    static constexpr const char* kNames[kOutputSentenceCount] = {"GGA", "GLL", "GSA",
                                                                 "GSV", "RMC", "VTG"};
    return kNames[static_cast<int>(sentence)];
}

SentenceConfig::SentenceConfig() {
    set(OutputSentence::GLL, {0, true});
    set(OutputSentence::VTG, {0, true});
}

const SentenceSetting& SentenceConfig::setting(OutputSentence sentence) const {
    return settings_[static_cast<int>(sentence)];
}

void SentenceConfig::set(OutputSentence sentence, SentenceSetting setting) {
    settings_[static_cast<int>(sentence)] = setting;
}

bool SentenceConfig::due(OutputSentence sentence, std::int64_t epochIndex) const {
    const int interval = setting(sentence).interval;
    return interval > 0 && epochIndex % interval == 0;
}

}  // namespace kelmsim
