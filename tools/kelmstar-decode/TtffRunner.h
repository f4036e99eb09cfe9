#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "ByteSource.h"
#include "DecodeListener.h"
#include "DecodeOptions.h"
#include "DecodeTick.h"
#include "NavState.h"
#include "ReceiveBuffer.h"
#include "TtffSession.h"

// kelmstar-decode --ttff: restarts the receiver on a writable source again and again and
// prints, as JSON lines, each run and at the end the summary:
// {"class":"TTFF","run":k,"mode":"warm","seconds":x|null,"used":N|null,"hdop":x|null}
// {"class":"TTFF_SUMMARY","mode":"warm","runs":N,"fixed":N,"min":x,"median":x,"mean":x,
//  "max":x}
// The received bytes go through the program's receive buffer and framing; every whole
// sentence is framed as soon as it is in, so that a fix is timed when its line ends.
class TtffRunner : private DecodeListener {
public:
    TtffRunner(ByteSource& source, const TtffPlan& plan, const InitSettings& settings,
               std::FILE* output);

    // Runs the test until its last run, a stop request (the runs so far are summed up) or a
    // failure of the source; returns the exit status (0, or 1 with the reason on standard
    // error).
    int Run(const std::function<bool()>& stopRequested);

private:
    static constexpr std::size_t kChunk = 1024;  // well below the receive buffer's size

    void SentenceFramed(const char* text) override;
    std::chrono::milliseconds NextWait() const;
    // Reads and frames what came; false, with the reason on standard error, when the input
    // ended or failed.
    bool ReadOnce();
    // Prints `why` on standard error; returns the exit status 1.
    static int Fail(const std::string& why);
    void Feed(const char* bytes, std::size_t count);
    // Writes a restart: what came before it is dropped, unread bytes included, as the
    // program empties its receive buffer after a restart.
    void Send(std::string_view bytes);
    void PrintRun(const TtffRun& run);
    void PrintSummary();
    double Now() const;

    ByteSource& source_;
    std::FILE* output_;
    TtffSession session_;
    ReceiveBuffer buffer_;
    NavState nav_;
    DecodeTick tick_;
    std::chrono::steady_clock::time_point start_;
    double now_ = 0.0;
    std::string writeError_;
    std::uint64_t restarts_ = 0;  // restarts sent, so that Feed sees one sent while it frames
    std::array<char, kChunk> chunk_{};
};

// Opens the input of `options` for the test and runs it (settings from "pelzo.cfg" in the
// current directory, its defaults when the file is missing); returns the exit status, 2
// when the input is not a serial device or a tcp:// source.
int RunTtff(const DecodeOptions& options);
