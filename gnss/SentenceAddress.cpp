#include "SentenceAddress.h"

namespace {

struct TalkerName {
    std::string_view letters;
    Talker talker;
};

constexpr TalkerName kTalkers[] = {
    {"GP", Talker::GP}, {"GL", Talker::GL}, {"GA", Talker::GA}, {"GB", Talker::GB},
    {"BD", Talker::BD}, {"GQ", Talker::GQ}, {"GI", Talker::GI}, {"GN", Talker::GN},
};

struct SentenceName {
    std::string_view letters;
    GnssSentence sentence;
};

constexpr SentenceName kSentences[] = {
    {"GSV", GnssSentence::Gsv}, {"GSA", GnssSentence::Gsa}, {"GGA", GnssSentence::Gga},
    {"RMC", GnssSentence::Rmc}, {"GNS", GnssSentence::Gns}, {"GLL", GnssSentence::Gll},
    {"VTG", GnssSentence::Vtg},
};

}  // namespace

std::optional<SentenceAddress> SentenceAddress::Parse(std::string_view address) {
    if (address.size() != 5) {
        return std::nullopt;
    }
    const std::string_view talkerLetters = address.substr(0, 2);
    const std::string_view typeLetters = address.substr(2);
    for (const TalkerName& talker : kTalkers) {
        if (talker.letters != talkerLetters) {
            continue;
        }
        for (const SentenceName& type : kSentences) {
            if (type.letters == typeLetters) {
                return SentenceAddress{talker.talker, type.sentence};
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}
