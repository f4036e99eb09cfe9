#include "PositionError.h"

#include <cmath>

namespace kelmsim {

PositionError::PositionError(std::uint64_t seed, double horizontal, double vertical,
                             double correlationSeconds)
    : random_(seed),
      horizontal_(horizontal),
      vertical_(vertical),
      correlationSeconds_(correlationSeconds),
      // Drawn from the long-run spread, so the first minutes are like any later ones.
      north_(horizontal * random_.gaussian()),
      east_(horizontal * random_.gaussian()),
      up_(vertical * random_.gaussian()) {}

void PositionError::advance(double seconds) {
    const double decay = std::exp(-seconds / correlationSeconds_);
    north_ = step(north_, horizontal_, decay);
    east_ = step(east_, horizontal_, decay);
    up_ = step(up_, vertical_, decay);
}

double PositionError::step(double value, double sigma, double decay) {
    // The new noise makes up for what the decay took, so the spread stays sigma.
    return decay * value + sigma * std::sqrt(1.0 - decay * decay) * random_.gaussian();
}

}  // namespace kelmsim
