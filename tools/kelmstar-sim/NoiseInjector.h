#pragma once
// Spoils output the way a poor line does: a share of bytes replaced by other printable
// characters (their sentences then fail the checksum), and now and then a sentence cut short.
// The "$" and the line ends are never touched, so every line is still one sentence.

#include <cstdint>
#include <string>

#include "SimRandom.h"

namespace kelmsim {

class NoiseInjector {
public:
    // Shares are probabilities in [0, 1]: per byte for corruption, per sentence for cutting.
    NoiseInjector(double byteShare, double cutShare, std::uint64_t seed);

    bool active() const { return byteShare_ > 0.0 || cutShare_ > 0.0; }
    // A framed sentence ending in CR LF, spoilt or unchanged.
    std::string apply(std::string sentence);

private:
    double byteShare_;
    double cutShare_;
    SimRandom random_;
};

}  // namespace kelmsim
