#pragma once
// The live loop: one sentence group per output period in real time, bytes paced onto the
// pseudo-terminal, commands read back, parsed, reported on the report stream and applied.

#include <signal.h>

#include <cstddef>
#include <deque>
#include <ostream>
#include <string>
#include <string_view>

#include "CommandParser.h"
#include "LinePacer.h"
#include "NoiseInjector.h"
#include "PseudoTerminal.h"
#include "ReceiverModel.h"

namespace kelmsim {

class PtyRunner {
public:
    // With `timestamps`, every sentence sent is listed there with the monotonic clock time
    // of its last byte's write: "<nanoseconds> <sentence without line end>".
    PtyRunner(ReceiverModel& model, NoiseInjector& noise, LinePacer& pacer, std::ostream& report,
              std::ostream* timestamps = nullptr);

    // Sends as a UART at `baud` would, so that a program reading at another speed receives
    // what its UART would make of it (see UartLine); 0 (the default) sends the bytes as they are.
    void setUartBaud(int baud) { uartBaud_ = baud; }

    // Runs for durationSeconds (0: no limit) or until one of stopSignals, which the caller
    // has blocked, is pending.
    void run(PseudoTerminal& pty, double durationSeconds, const sigset_t& stopSignals);

private:
    void produce();
    void transmit(PseudoTerminal& pty, double now);
    std::size_t writeChunk(int fd, std::string_view chunk);
    void receive(int fd, double now);
    void report(const CommandEvent& event);
    void dropBacklog();
    void stampSent(const std::string& sentence);
    void discardUnsent();
    int waitMillis(double now, double nextEpoch) const;

    ReceiverModel& model_;
    NoiseInjector& noise_;
    LinePacer& pacer_;
    std::ostream& report_;
    std::ostream* timestamps_;
    CommandParser parser_;
    std::deque<std::string> queue_;
    std::size_t frontSent_ = 0;  // bytes of queue_.front() already written
    std::size_t queuedBytes_ = 0;
    bool warnedBacklog_ = false;
    int uartBaud_ = 0;
};

}  // namespace kelmsim
