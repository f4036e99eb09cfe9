#include "TtffRunner.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <charconv>

#include "JsonReport.h"
#include "MeasurementOptions.h"
#include "NetworkByteSource.h"
#include "NetworkSourceName.h"
#include "OpenByteSource.h"
#include "SettingsFile.h"
#include "StopSignals.h"

namespace {

constexpr std::chrono::milliseconds kLongestWait{100};
constexpr std::chrono::milliseconds kWriteTimeout{2000};

constexpr int kSecondDecimals = 3;  // a millisecond

void AppendMode(std::string& out, RestartMode mode) {
    AppendJsonKey(out, "mode");
    out += '"';
    out += RestartModeName(mode);
    out += '"';
}

// A name the test cannot restart a receiver through: standard input, gpsd, UDP, a file.
bool NeverWritable(const std::string& input) {
    if (IsNetworkInput(input)) {
        return CommandRefusal(input) != nullptr;
    }
    struct stat st {};
    return input == "-" || (::stat(input.c_str(), &st) == 0 && !S_ISCHR(st.st_mode));
}

int UsageError() {
    std::fprintf(stderr, "kelmstar-decode: --ttff needs a serial device or a tcp:// source\n");
    return 2;
}

}  // namespace

TtffRunner::TtffRunner(ByteSource& source, const TtffPlan& plan, const InitSettings& settings,
                       std::FILE* output)
    : source_(source),
      output_(output),
      session_(plan, settings, [this](std::string_view bytes) { Send(bytes); }),
      tick_(buffer_, nav_),
      start_(std::chrono::steady_clock::now()) {
    session_.SetRunFinished([this](const TtffRun& run) { PrintRun(run); });
}

double TtffRunner::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void TtffRunner::SentenceFramed(const char* text) {
    session_.OnSentence(now_, text);
}

// Fills the ring no further than it holds (framing whenever it is full, as the log decoder
// does), then frames every whole sentence in it.
void TtffRunner::Feed(const char* bytes, std::size_t count) {
    // A restart sent while framing drops what came before it: the rest of these bytes too.
    const std::uint64_t restarts = restarts_;
    std::size_t i = 0;
    while (i < count && restarts == restarts_) {
        while (i < count && buffer_.Count() < ReceiveBuffer::kCapacity) {
            buffer_.Put(static_cast<std::uint8_t>(bytes[i++]));
        }
        if (buffer_.Count() == ReceiveBuffer::kCapacity) {
            while (buffer_.Count() >= DecodeTick::kFrameThreshold) {
                tick_.Run(*this);
            }
        }
    }
    tick_.Drain(*this);
}

void TtffRunner::Send(std::string_view bytes) {
    // Into a buffer of its own: Feed may be going through chunk_ when a fix ends a run.
    std::array<char, kChunk> unread;
    while (source_.Read(unread.data(), unread.size(), std::chrono::milliseconds(0)).status ==
           ByteSource::Status::Data) {
    }
    ++restarts_;
    if (!source_.Write(bytes.data(), bytes.size(), kWriteTimeout) && writeError_.empty()) {
        writeError_ = source_.ErrorText();
    }
    buffer_.Reset();
}

void TtffRunner::PrintRun(const TtffRun& run) {
    std::string line = "{\"class\":\"TTFF\",\"run\":" + std::to_string(run.number);
    AppendMode(line, run.mode);
    AppendJsonFixed(line, "seconds", run.seconds, kSecondDecimals);
    AppendJsonOptional(line, "used", run.used);
    AppendJsonOptional(line, "hdop", run.hdop);
    line += "}\n";
    std::fputs(line.c_str(), output_);
    std::fflush(output_);
}

void TtffRunner::PrintSummary() {
    const TtffSummary summary = session_.Summary();
    std::string line = "{\"class\":\"TTFF_SUMMARY\"";
    AppendMode(line, summary.mode);
    AppendJsonInt(line, "runs", summary.runs);
    AppendJsonInt(line, "fixed", summary.fixed);
    AppendJsonFixed(line, "min", summary.min, kSecondDecimals);
    AppendJsonFixed(line, "median", summary.median, kSecondDecimals);
    AppendJsonFixed(line, "mean", summary.mean, kSecondDecimals);
    AppendJsonFixed(line, "max", summary.max, kSecondDecimals);
    line += "}\n";
    std::fputs(line.c_str(), output_);
}

std::chrono::milliseconds TtffRunner::NextWait() const {
    const std::optional<double> deadline = session_.Deadline();
    if (!deadline) {
        return kLongestWait;
    }
    const double left = std::max(*deadline - Now(), 0.0);
    return std::min(kLongestWait,
                    std::chrono::milliseconds(static_cast<long long>(left * 1000) + 1));
}

bool TtffRunner::ReadOnce() {
    const ByteSource::ReadResult got = source_.Read(chunk_.data(), chunk_.size(), NextWait());
    if (got.status == ByteSource::Status::End) {
        const std::string why = source_.EndText();
        Fail(why.empty() ? "the input ended" : why);
        return false;
    }
    if (got.status == ByteSource::Status::Failed) {
        Fail("read error: " + source_.ErrorText());
        return false;
    }
    now_ = Now();
    if (got.status == ByteSource::Status::Data) {
        Feed(chunk_.data(), got.count);
    }
    return true;
}

int TtffRunner::Fail(const std::string& why) {
    std::fprintf(stderr, "kelmstar-decode: %s\n", why.c_str());
    return 1;
}

int TtffRunner::Run(const std::function<bool()>& stopRequested) {
    if (!session_.Start(Now())) {
        return Fail(session_.Error());
    }
    while (session_.CurrentPhase() != TtffSession::Phase::Finished && writeError_.empty()) {
        if (stopRequested()) {
            session_.Cancel();
            break;
        }
        if (!ReadOnce()) {
            return 1;
        }
        session_.Tick(Now());
    }
    if (!writeError_.empty()) {
        return Fail("write error: " + writeError_);
    }
    if (!session_.Error().empty()) {
        return Fail(session_.Error());
    }
    PrintSummary();
    return std::fflush(output_) == 0 ? 0 : 1;
}

int RunTtff(const DecodeOptions& options) {
    if (NeverWritable(options.input)) {
        return UsageError();
    }
    StopSignals signals;
    const auto stopRequested = [&signals] { return signals.Requested(); };
    OpenedSource opened = OpenByteSource(options, stopRequested);
    if (!opened.source) {
        std::fprintf(stderr, "kelmstar-decode: %s\n", opened.error.c_str());
        return 1;
    }
    if (!opened.source->Writable()) {
        return UsageError();
    }
    if (opened.detected && opened.baudRate) {
        std::fprintf(stderr, "detected %d baud\n", static_cast<int>(*opened.baudRate));
    }
    InitSettings settings;
    ReadSettings(settings);
    TtffRunner runner(*opened.source, TtffPlanOf(options), settings, stdout);
    return runner.Run(stopRequested);
}
