#include "serial/LineStatusTracker.h"

namespace {

std::int32_t ErrorFlagsBetween(const serial_icounter_struct& before,
                               const serial_icounter_struct& after) {
    std::int32_t flags = 0;
    if (after.buf_overrun != before.buf_overrun) {
        flags |= LineEvents::kRxOver;
    }
    if (after.overrun != before.overrun) {
        flags |= LineEvents::kOverrun;
    }
    if (after.parity != before.parity) {
        flags |= LineEvents::kRxParity;
    }
    if (after.frame != before.frame) {
        flags |= LineEvents::kFrame;
    }
    if (after.brk != before.brk) {
        flags |= LineEvents::kBreak;
    }
    return flags;
}

std::int32_t ModemCodeBetween(const serial_icounter_struct& before,
                              const serial_icounter_struct& after) {
    std::int32_t code = 0;
    if (after.dcd != before.dcd) {
        code |= LineEvents::kCarrier;
    }
    if (after.rng != before.rng) {
        code |= LineEvents::kRing;
    }
    return code;
}

}  // namespace

LineEvents LineStatusTracker::Next(const LineStatus& now) {
    LineEvents events;
    if (last_.counters && now.counters) {
        events.errorFlags = ErrorFlagsBetween(*last_.counters, *now.counters);
        events.modemCode = ModemCodeBetween(*last_.counters, *now.counters);
    }
    last_ = now;
    return events;
}
