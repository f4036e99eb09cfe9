// kelmstar-decode: prints what the program's intake makes of a recorded NMEA log.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "KelmstarVersion.h"
#include "LogDecoder.h"
#include "NetworkByteSource.h"
#include "NetworkInput.h"

namespace {

constexpr const char* kUsage =
    "Usage: kelmstar-decode [FILE]\n"
    "       kelmstar-decode gpsd://HOST[:PORT] | tcp://HOST:PORT | udp://[ADDRESS]:PORT\n"
    "                       [--duration=SECONDS]\n"
    "       kelmstar-decode --help\n"
    "       kelmstar-decode --version\n"
    "\n"
    "Reads an NMEA 0183 log (FILE, or standard input when FILE is missing or \"-\")\n"
    "and pushes it through the same receive buffer, sentence framing and decoder\n"
    "as the program's decode tick: sentences are framed once 100 bytes are\n"
    "buffered, and at the end of the input the whole sentences still buffered are\n"
    "framed and decoded too.\n"
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
    "A network source is read live (gpsd's own reports left out) until it ends,\n"
    "SIGINT or SIGTERM comes, or SECONDS have passed.\n"
    "\n"
    "Exit status: 0 on success, 1 when the input cannot be read or the output\n"
    "cannot be written, 2 on a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && IsNetworkInput(argv[1])) {
        return DecodeNetworkInput(argc, argv);
    }
    if (argc > 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::FILE* input = stdin;
    if (argc == 2) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[1], "--version") == 0) {
            std::printf("kelmstar-decode %s\n", kKelmstarVersion);
            return 0;
        }
        if (argv[1][0] == '-' && argv[1][1] != '\0') {
            std::fprintf(stderr, "kelmstar-decode: unknown option %s\n", argv[1]);
            return 2;
        }
        if (std::strcmp(argv[1], "-") != 0) {
            input = std::fopen(argv[1], "rb");
            if (input == nullptr) {
                std::fprintf(stderr, "kelmstar-decode: cannot open %s: %s\n", argv[1],
                             std::strerror(errno));
                return 1;
            }
        }
    }
    LogDecoder decoder(stdout);
    const bool ok = decoder.Decode(input);
    if (input != stdin) {
        std::fclose(input);
    }
    if (!ok) {
        std::fprintf(stderr, "kelmstar-decode: read or write error\n");
        return 1;
    }
    return 0;
}
