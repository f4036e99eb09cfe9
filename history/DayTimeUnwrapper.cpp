#include "DayTimeUnwrapper.h"

double DayTimeUnwrapper::Continuous(double secondOfDay) {
    if (last_ && secondOfDay < *last_ - kSecondsPerDay / 2) {
        days_ += 1.0;
    }
    last_ = secondOfDay;
    return days_ * kSecondsPerDay + secondOfDay;
}

void DayTimeUnwrapper::Reset() {
    last_.reset();
    days_ = 0.0;
}
