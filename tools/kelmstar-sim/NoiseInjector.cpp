#include "NoiseInjector.h"

namespace kelmsim {

NoiseInjector::NoiseInjector(double byteShare, double cutShare, std::uint64_t seed)
    : byteShare_(byteShare), cutShare_(cutShare), random_(seed ^ 0xbadc0ffeeULL) {}

std::string NoiseInjector::apply(std::string sentence) {
    if (!active()) {
        return sentence;
    }
    std::size_t textEnd = sentence.size();
    while (textEnd > 0 && (sentence[textEnd - 1] == '\r' || sentence[textEnd - 1] == '\n')) {
        --textEnd;
    }
    if (cutShare_ > 0.0 && textEnd > 2 && random_.unit() < cutShare_) {
        // Keep "$" and at least one character, lose at least the last one.
        const std::size_t keep = 2 + random_.below(textEnd - 2);
        sentence.erase(keep, textEnd - keep);
        textEnd = keep;
    }
    if (byteShare_ > 0.0) {
        for (std::size_t i = 1; i < textEnd; ++i) {
            if (random_.unit() >= byteShare_) {
                continue;
            }
            char replacement;
            do {
                replacement = static_cast<char>(0x21 + random_.below(0x7e - 0x21 + 1));
            } while (replacement == sentence[i] || replacement == '$');
            sentence[i] = replacement;
        }
    }
    return sentence;
}

}  // namespace kelmsim
