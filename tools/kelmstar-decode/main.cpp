// kelmstar-decode: prints what the program's intake makes of a recorded NMEA log or of a
// receiver on a serial line.

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "DecodeOptions.h"
#include "KelmstarVersion.h"
#include "LineStatistics.h"
#include "LiveDecode.h"
#include "LogDecoder.h"
#include "OpenByteSource.h"
#include "StatsReport.h"
#include "StopSignals.h"
#include "SurveyReport.h"
#include "TtffRunner.h"

namespace {

constexpr const char* kUsage =
    "Usage: kelmstar-decode [OPTIONS] [FILE | DEVICE]\n"
    "       kelmstar-decode [OPTIONS] gpsd://HOST[:PORT] | tcp://HOST:PORT | udp://[ADDRESS]:PORT\n"
    "       kelmstar-decode --help\n"
    "       kelmstar-decode --version\n"
    "\n"
    "Reads an NMEA 0183 log (FILE, or standard input when FILE is missing or \"-\")\n"
    "and pushes it through the same receive buffer, sentence framing and decoder\n"
    "as the program's decode tick: sentences are framed once 100 bytes are\n"
    "buffered, and at the end of the input the whole sentences still buffered are\n"
    "framed and decoded too.\n"
    "\n"
    "A serial device (a terminal such as /dev/ttyUSB0) is read live, 8N1 without\n"
    "flow control, until SIGINT or SIGTERM or the end of --duration.\n"
    "\n"
    "Options:\n"
    "  --baud=N        line speed of a serial device (default: 4800)\n"
    "  --baud=auto     find the speed by listening at each common speed in turn;\n"
    "                  prints \"detected N baud\" on standard error\n"
    "  --duration=S    stop after S seconds\n"
    "  --systems=gps   the program's own decoder, \"GP\" sentences only (default)\n"
    "  --systems=all   every satellite system, one JSON line per epoch (below)\n"
    "  --stats         end with one JSON line of line statistics:\n"
    "                  {\"class\":\"STATS\",\"bytes\":N,\"sentences\":N,\"checksum_errors\":N,\n"
    "                   \"no_checksum\":N,\"noise_bytes\":N,\"dropped_bytes\":N,\n"
    "                   \"types\":{\"GPGGA\":N,...},\"baud\":N} (baud for a device only)\n"
    "  --survey        end with one JSON line of position statistics (below)\n"
    "  --survey=LAT,LON,ALT\n"
    "                  the same, measured from this place (signed degrees, metres)\n"
    "  --ttff=MODE     time to first fix of the receiver on a serial device or a\n"
    "                  tcp:// source after restarts in MODE hot, warm or cold (below)\n"
    "  --runs=N        restarts, 1 to 100 (default: 1)\n"
    "  --timeout=S     time limit of each run in seconds (default: 120)\n"
    "\n"
    "--survey counts the fixes: GGA sentences of quality 1 or more with latitude,\n"
    "longitude and altitude and no wrong checksum, \"GP\" only (any talker with\n"
    "--systems=all), the last 86400 of them. The reference is their mean position\n"
    "unless given; east, north and up are metres from it on the WGS-84 ellipsoid.\n"
    "Sigmas are population standard deviations, CEP50/CEP95 the smallest distance\n"
    "from the reference holding 50 %/95 % of the fixes, 2DRMS twice the root of\n"
    "the summed east and north variances, max the largest distance:\n"
    "  {\"class\":\"SURVEY\",\"fixes\":N,\"lat\":deg,\"lon\":deg,\"alt\":m,\n"
    "   \"sigma_east_m\":x,\"sigma_north_m\":x,\"sigma_up_m\":x,\"cep50_m\":x,\n"
    "   \"cep95_m\":x,\"drms2_m\":x,\"max_m\":x}        (null without fixes)\n"
    "\n"
    "--ttff sends the restart command as the Receiver Initialization dialog would,\n"
    "from pelzo.cfg in the current directory (its defaults when it is missing) and\n"
    "the computer's clock, and times each run from the write to the first fix\n"
    "(GGA of quality 1 or more or RMC status A, any talker), pausing 3 s between\n"
    "runs. It prints one line per run (seconds null: no fix within --timeout) and\n"
    "a summary of the runs with a fix, instead of the sentences:\n"
    "  {\"class\":\"TTFF\",\"run\":k,\"mode\":\"warm\",\"seconds\":x|null,\"used\":N|null,\n"
    "   \"hdop\":x|null}\n"
    "  {\"class\":\"TTFF_SUMMARY\",\"mode\":\"warm\",\"runs\":N,\"fixed\":N,\"min\":x,\n"
    "   \"median\":x,\"mean\":x,\"max\":x}\n"
    "\n"
    "After each decoded sentence it prints one JSON object on one line:\n"
    "  sentence          the framed text, without \"$\" and without its line end\n"
    "  utcHour, utcMinute, utcSecond, latitude, latHemisphere, longitude,\n"
    "  lonHemisphere, speedKnots, courseDeg, ggaQuality, altitude, pdop, hdop,\n"
    "  vdop, fixMode, fixAvailable, satsInView, gsvMessageCount, gsvMessageNumber\n"
    "                    the navigation record after the sentence\n"
    "  sats              12 channel slots, each {prn, elevation, azimuth, snr}\n"
    "Latitude and longitude are degrees, never negative; the hemisphere is the\n"
    "letter (an empty string until one was received). Speed is in knots. Floats\n"
    "are printed in the shortest form that reads back to the same 32-bit value.\n"
    "\n"
    "With --systems=all it prints instead one JSON object per epoch (the sentences\n"
    "up to a change of the UTC time in GGA, RMC or GNS; the rest at the end) of\n"
    "every talker (GP, GL, GA, GB, BD, GQ, GI, GN):\n"
    "  {\"class\":\"EPOCH\",\"time\":\"hh:mm:ss.ss\",\"date\":\"YYYY-MM-DD\"|null,\"fix\":0|2|3,\n"
    "   \"lat\":deg|null,\"lon\":deg|null,\"alt\":m|null,\"speedKnots\":x|null,\n"
    "   \"courseDeg\":x|null,\"pdop\":x|null,\"hdop\":x|null,\"vdop\":x|null,\"used\":N,\n"
    "   \"satellites\":[{\"system\":\"GPS\"|\"SBAS\"|\"GLONASS\"|\"Galileo\"|\"BeiDou\"|\n"
    "   \"QZSS\"|\"NavIC\",\"svid\":N,\"nmea\":N,\"signal\":\"L1 C/A\"|...|null,\n"
    "   \"elevation\":N|null,\"azimuth\":N|null,\"cno\":N|null,\"used\":bool}]}\n"
    "Latitude and longitude are signed (south and west negative); fix is 0 and\n"
    "position, altitude, speed and course null when the epoch has no valid\n"
    "position. used counts the satellites the GSA sentences name (GGA's count\n"
    "without GSA). One satellites entry per satellite and signal (signal null\n"
    "without a signal ID); cno null: in view, not tracked. A satellite no GSV\n"
    "reported for 6 s of the data's time leaves the list. time is null only if no\n"
    "GGA, RMC or GNS had one.\n"
    "\n"
    "A network source (gpsd://, tcp://, udp://) is read live as well, gpsd's own\n"
    "reports left out, until it ends, SIGINT or SIGTERM comes, or --duration ends.\n"
    "\n"
    "Exit status: 0 on success (a stop by signal or duration included), 1 when the\n"
    "input cannot be opened or read or the output cannot be written, 2 on a usage\n"
    "error.\n";

std::optional<std::chrono::steady_clock::duration> DurationOf(const DecodeOptions& options) {
    if (options.durationSeconds <= 0.0) {
        return std::nullopt;
    }
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(options.durationSeconds));
}

int Run(const DecodeOptions& options) {
    StopSignals signals;
    const auto stopRequested = [&signals] { return signals.Requested(); };
    OpenedSource opened = OpenByteSource(options, stopRequested);
    if (!opened.source) {
        std::fprintf(stderr, "kelmstar-decode: %s\n", opened.error.c_str());
        return 1;
    }
    if (opened.detected && opened.baudRate) {
        std::fprintf(stderr, "detected %d baud\n", static_cast<int>(*opened.baudRate));
    }
    LogDecoder decoder(stdout, options.systems);
    SurveyReport survey(
        options.systems == DecodeSystems::All ? TalkerFilter::AnyTalker : TalkerFilter::GpsOnly,
        options.surveyReference);
    if (options.survey) {
        decoder.ObserveFramed([&survey](const char* text) { survey.SentenceFramed(text); });
    }
    LineStatistics statistics;
    const LiveDecodeEnd end =
        RunLiveDecode(*opened.source, decoder, statistics, DurationOf(options), stopRequested);
    if (options.stats) {
        std::string line;
        AppendStatsReport(line, statistics, opened.baudRate);
        std::fputs(line.c_str(), stdout);
    }
    if (options.survey) {
        std::string line;
        survey.Append(line);
        std::fputs(line.c_str(), stdout);
    }
    if (std::fflush(stdout) != 0 || end == LiveDecodeEnd::WriteFailed) {
        std::fprintf(stderr, "kelmstar-decode: write error\n");
        return 1;
    }
    if (end == LiveDecodeEnd::EndOfInput && !opened.source->EndText().empty()) {
        std::fprintf(stderr, "kelmstar-decode: %s\n", opened.source->EndText().c_str());
    }
    if (end == LiveDecodeEnd::SourceFailed) {
        std::fprintf(stderr, "kelmstar-decode: read error: %s\n",
                     opened.source->ErrorText().c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<DecodeOptions> options =
        DecodeOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "kelmstar-decode: %s\n\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::printf("kelmstar-decode %s\n", kKelmstarVersion);
        return 0;
    }
    return options->ttff ? RunTtff(*options) : Run(*options);
}
