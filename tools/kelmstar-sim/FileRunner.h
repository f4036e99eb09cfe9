#pragma once
// Writes the receiver's output for a number of seconds to a stream, as fast as it is made:
// simulated time only, no pacing and no commands. Sample logs are made this way.

#include <ostream>

#include "NoiseInjector.h"
#include "ReceiverModel.h"

namespace kelmsim {

class FileRunner {
public:
    FileRunner(ReceiverModel& model, NoiseInjector& noise) : model_(model), noise_(noise) {}

    // Returns the number of sentences written.
    std::size_t run(std::ostream& out, double durationSeconds);

private:
    ReceiverModel& model_;
    NoiseInjector& noise_;
};

}  // namespace kelmsim
