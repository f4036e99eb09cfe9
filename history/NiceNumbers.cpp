#include "NiceNumbers.h"

#include <cmath>
#include <initializer_list>

double NiceCeiling(double value) {
    if (!(value > 0.0) || !std::isfinite(value)) {
        return 1.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        // A little slack, so that 2.0000000001 (a sum's rounding) stays 2.
        if (factor * power >= value * (1.0 - 1e-9)) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

double NiceStep(double range, int most) {
    return NiceCeiling(range / (most > 0 ? most : 1));
}

int DecimalsFor(double step) {
    return step >= 1.0 || !(step > 0.0) ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}
