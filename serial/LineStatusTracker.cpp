#include "serial/LineStatusTracker.h"

#include <sys/ioctl.h>

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

// The kernel counts carrier and ring changes only while the UART's modem-status interrupt is
// on, and the 8250/16550 driver leaves it off under CLOCAL without CRTSCTS, which is how the
// line is set up. Of the two ways around that, TIOCMIWAIT turns the interrupt on but blocks
// in the driver where the port's stop signal cannot reach it, so it would need a thread of
// its own that closing the port cannot end promptly. Comparing the TIOCMGET levels at each
// look costs one ioctl, works with every driver that reports levels (USB adapters too), and
// misses only pulses shorter than the look interval; carrier changes and ring cycles last
// seconds. Ring counts its trailing edge, as the counters do.
std::int32_t ModemCodeBetween(int before, int after) {
    std::int32_t code = 0;
    if ((after ^ before) & TIOCM_CD) {
        code |= LineEvents::kCarrier;
    }
    if ((before & TIOCM_RI) && !(after & TIOCM_RI)) {
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
    // Where the counters saw the change as well, the code is the same.
    if (last_.modemLines && now.modemLines) {
        events.modemCode |= ModemCodeBetween(*last_.modemLines, *now.modemLines);
    }
    last_ = now;
    return events;
}
