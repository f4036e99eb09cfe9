#include "FileRunner.h"

#include <cmath>

namespace kelmsim {

std::size_t FileRunner::run(std::ostream& out, double durationSeconds) {
    const auto epochs = static_cast<long long>(
        std::ceil(durationSeconds * 1000.0 / static_cast<double>(model_.periodMillis()) - 1e-9));
    std::size_t written = 0;
    for (long long i = 0; i < epochs && out; ++i) {
        for (std::string& sentence : model_.nextEpoch()) {
            out << noise_.apply(std::move(sentence));
            ++written;
        }
    }
    return written;
}

}  // namespace kelmsim
