#include "OptionParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace kelmsim {

namespace {

// A multi-GNSS receiver's sentences take over 1,000 bytes a second, more than 4800 baud
// carries; such receivers come set to a faster line.
constexpr int kMultiGnssBaud = 38400;

double toNumber(const std::string& name, const std::string& value, double low, double high) {
    double result = 0.0;
    const char* begin = value.data();
    const char* end = begin + value.size();
    if (!value.empty() && *begin == '+') {
        ++begin;
    }
    const auto [ptr, ec] = std::from_chars(begin, end, result, std::chars_format::fixed);
    if (value.empty() || ec != std::errc() || ptr != end || !std::isfinite(result) ||
        result < low || result > high) {
        throw OptionError("--" + name + ": '" + value + "' is not a number from " +
                          std::to_string(low) + " to " + std::to_string(high));
    }
    return result;
}

long long toWhole(const std::string& name, const std::string& value, long long low,
                  long long high) {
    long long result = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, result);
    if (value.empty() || ec != std::errc() || ptr != end || result < low || result > high) {
        throw OptionError("--" + name + ": '" + value + "' is not a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high));
    }
    return result;
}

ResetMode toMode(const std::string& value) {
    if (value == "hot") {
        return ResetMode::Hot;
    }
    if (value == "warm") {
        return ResetMode::Warm;
    }
    if (value == "cold") {
        return ResetMode::Cold;
    }
    throw OptionError("--start-mode: '" + value + "' is not hot, warm or cold");
}

NmeaFormat withSystems(NmeaFormat format, const std::string& value) {
    bool chosen[kGnssSystemCount] = {};
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string name = value.substr(start, comma - start);
        const auto system = systemNamed(name);
        if (!system) {
            throw OptionError("--systems: '" + name +
                              "' is not gps, glonass, galileo or beidou (list them with commas)");
        }
        chosen[static_cast<int>(*system)] = true;
        start = comma + 1;
    }
    format.systems.clear();
    for (int i = 0; i < kGnssSystemCount; ++i) {
        if (chosen[i]) {
            format.systems.push_back(static_cast<GnssSystem>(i));
        }
    }
    return format;
}

NmeaVersion toVersion(const std::string& value) {
    const auto version = nmeaVersionNamed(value);
    if (!version) {
        throw OptionError("--nmea: '" + value + "' is not 4.11, 4.10 or 4.00");
    }
    return *version;
}

using Setter = std::function<void(SimOptions&, const std::string&)>;

const std::map<std::string, Setter>& valueOptions() {
    static const std::map<std::string, Setter> kOptions = {
        {"link", [](SimOptions& o, const std::string& v) { o.link = v; }},
        {"output", [](SimOptions& o, const std::string& v) { o.output = v; }},
        {"timestamps", [](SimOptions& o, const std::string& v) { o.timestamps = v; }},
        {"lat",
         [](SimOptions& o, const std::string& v) {
             o.receiver.start.latitude = toNumber("lat", v, -89.9, 89.9);
         }},
        {"lon",
         [](SimOptions& o, const std::string& v) {
             o.receiver.start.longitude = toNumber("lon", v, -180.0, 180.0);
         }},
        {"alt",
         [](SimOptions& o, const std::string& v) {
             o.receiver.start.altitude = toNumber("alt", v, -400.0, 9000.0);
         }},
        {"speed",
         [](SimOptions& o, const std::string& v) {
             o.receiver.speed = toNumber("speed", v, 0.0, 100.0);
         }},
        {"scatter",
         [](SimOptions& o, const std::string& v) {
             o.receiver.scatter = toNumber("scatter", v, 0.0, 1000.0);
         }},
        {"rate",
         [](SimOptions& o, const std::string& v) {
             o.receiver.rateHz = static_cast<int>(toWhole("rate", v, 1, 10));
         }},
        {"baud",
         [](SimOptions& o, const std::string& v) {
             o.baud = static_cast<int>(toWhole("baud", v, 0, 4000000));
         }},
        {"noise",
         [](SimOptions& o, const std::string& v) { o.byteNoise = toNumber("noise", v, 0, 1); }},
        {"cut", [](SimOptions& o, const std::string& v) { o.cutNoise = toNumber("cut", v, 0, 1); }},
        {"duration", [](SimOptions& o,
                        const std::string& v) { o.duration = toNumber("duration", v, 0.0, 1e7); }},
        {"seed",
         [](SimOptions& o, const std::string& v) {
             o.receiver.seed = static_cast<std::uint64_t>(toWhole("seed", v, 0, 1LL << 62));
         }},
        {"start",
         [](SimOptions& o, const std::string& v) {
             const auto clock = GpsClock::parse(v);
             if (!clock) {
                 throw OptionError("--start: '" + v +
                                   "' is not a UTC time YYYY-MM-DDTHH:MM:SS from 1980 on");
             }
             o.receiver.startTime = *clock;
             o.startGiven = true;
         }},
        {"start-mode",
         [](SimOptions& o, const std::string& v) { o.receiver.startMode = toMode(v); }},
        {"systems",
         [](SimOptions& o, const std::string& v) {
             o.receiver.format = withSystems(o.receiver.format, v);
         }},
        {"nmea",
         [](SimOptions& o, const std::string& v) { o.receiver.format.version = toVersion(v); }},
        {"signals",
         [](SimOptions& o, const std::string& v) {
             o.receiver.format.signals = static_cast<int>(toWhole("signals", v, 1, 2));
         }},
    };
    return kOptions;
}

bool applyFlag(SimOptions& o, const std::string& name) {
    if (name == "help") {
        o.help = true;
    } else if (name == "version") {
        o.version = true;
    } else if (name == "gll") {
        o.receiver.gll = true;
    } else if (name == "vtg") {
        o.receiver.vtg = true;
    } else if (name == "uart") {
        o.uart = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

SimOptions OptionParser::parse(const std::vector<std::string>& arguments) {
    SimOptions o;
    bool baudGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "-h") {
            o.help = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            throw OptionError("unexpected argument '" + arg + "' (see --help)");
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
        if (equals == std::string::npos && applyFlag(o, name)) {
            continue;
        }
        const auto option = valueOptions().find(name);
        if (option == valueOptions().end()) {
            throw OptionError("unknown option '--" + name + "' (see --help)");
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            throw OptionError("--" + name + " needs a value");
        }
        option->second(o, value);
        baudGiven = baudGiven || name == "baud";
    }
    if (o.output && o.duration == 0.0) {
        o.duration = 60.0;
    }
    if (!baudGiven && !o.receiver.format.gpsOnly()) {
        o.baud = kMultiGnssBaud;
    }
    // A second signal is told apart only by its signal ID, which GP sentences never carry.
    if (o.receiver.format.signals > 1 &&
        (o.receiver.format.gpsOnly() || !o.receiver.format.gsvSignalId())) {
        throw OptionError("--signals=2 needs more systems than GPS and --nmea=4.10 or 4.11");
    }
    return o;
}

std::string OptionParser::helpText() {
    return R"(Usage: kelmstar-sim [options]

A simulated NMEA 0183 GPS receiver. It opens a pseudo-terminal, makes its far end reachable
under a symbolic link, prints the link's path and sends GGA, GSA, GSV and RMC sentences (GLL
and VTG when switched on) with the GP talker, as a receiver on a serial line would; with
--systems, those of a multi-GNSS receiver. It obeys the $PQKL103 (sentence rate) and
$PQKL104 (restart) commands written to it and reports each command it accepts or rejects on
standard error. It runs until the duration ends or until SIGINT or SIGTERM, and removes the
link on exit.

Options:
  --link=PATH        path of the symbolic link to the pseudo-terminal (default: ttyGPS)
  --output=FILE      write the sentences to FILE instead of a pseudo-terminal, as fast as
                     they are made, with no commands read; this is how sample logs are made
  --timestamps=FILE  on the pseudo-terminal, write a line to FILE for every sentence sent:
                     the CLOCK_MONOTONIC time in nanoseconds when its last byte was written,
                     a blank, and the sentence without its line end (for latency measurements)
  --lat=DEG          start latitude in signed decimal degrees, south negative
                     (default: 24.1233321)
  --lon=DEG          start longitude in signed decimal degrees, west negative
                     (default: 121.43323)
  --alt=M            altitude in metres (default: 50)
  --speed=MPS        driving speed in metres per second; 0 for a receiver standing still
                     (default: 5)
  --scatter=M        how far the fixes stray from the true place: they wander around it
                     over tens of seconds with a standard deviation of M metres north and
                     as much east, twice M up; 0 reports the true place (default: 1.5)
  --rate=HZ          sentence groups per second, 1 to 10 (default: 1); the intervals of
                     $PQKL103 count groups, which at 1 Hz are seconds
  --baud=N           pace the output bytes like a line at N baud, ten bits a byte, so 4800
                     baud carries 4800 bytes every 10 seconds; 0 sends at once (default: 4800,
                     or 38400 with more systems than GPS; files are never paced)
  --uart             behave as a UART at --baud: when the program on the pseudo-terminal has
                     set another line speed, it receives what its UART would read at that
                     speed (garbled bytes that fail their checksums); at --baud, clean text
  --noise=SHARE      replace this share of the bytes, 0 to 1, by other characters so that
                     their sentences fail the checksum (default: 0)
  --cut=SHARE        cut this share of the sentences, 0 to 1, short (default: 0)
  --duration=S       stop after S seconds of output; 0 runs until a signal (default: 0, or 60
                     with --output)
  --start=TIME       receiver time at start, UTC, as YYYY-MM-DDTHH:MM:SS (default: the system
                     clock); with --seed it makes the output reproducible
  --seed=N           seed of the track, the sky, the position error, the times to the first
                     fix and the noise (default: 1)
  --start-mode=MODE  hot, warm or cold: how the receiver starts; no fix for 1 to 3, 8 to 15
                     or 30 to 45 seconds, drawn from the seed (default: warm)
  --systems=LIST     the satellite systems tracked: gps, glonass, galileo and beidou, any of
                     them separated by commas (default: gps). More than GPS makes a modern
                     multi-GNSS receiver: GGA, RMC, GLL and VTG with the GN talker, one GSA per
                     system, and GSV groups per system (GPGSV, GLGSV, GAGSV, GBGSV)
  --nmea=VERSION     4.11, 4.10 or 4.00: how the multi-GNSS sentences carry system and signal
                     (default: 4.11). 4.11: each GSA ends in the system ID (1 GPS, 2 GLONASS,
                     3 Galileo, 4 BeiDou) and each GSV in the signal ID (GPS L1 C/A 1, GLONASS
                     L1 OF 1, Galileo E1 B/C 7, BeiDou B1I 1), RMC in the navigational status.
                     4.10: the same without the system ID; each GSA then takes its system's
                     talker (GPGSA, GLGSA, GAGSA, GBGSA). 4.00: neither ID, GSA as in 4.10.
                     GPS alone always gives the classic GP sentences
  --signals=N        1 or 2: signals tracked per satellite (default: 1). 2 makes a
                     dual-frequency receiver with a second GSV group per system (GPS L2 CL,
                     GLONASS L2 OF, Galileo E5b, BeiDou B2I), a few dB weaker; it needs the
                     signal IDs of --nmea=4.10 or 4.11 and more than GPS
  --gll              send GLL from the start
  --vtg              send VTG from the start
  --help, -h         show this text
  --version          show the version

Commands understood (each framed as $body*hh CR LF, hh the checksum in hex):
  $PQKL103,<code>,00,<rate>,<flag>   code 00 GGA, 01 GLL, 02 GSA, 03 GSV, 04 RMC, 05 VTG;
                                     rate 0 switches the sentence off, n one every n groups;
                                     flag 1 with checksum, 0 without; 03 switches the
                                     GSV groups of every system
  $PQKL104,<lat>,<lon>,<alt>,<clock offset>,<time of week>,<week>,<channels>,<mode>
                                     restart at the given position and GPS time; mode 1
                                     hot, 2 warm, 3 or 4 cold: no fix for a time as with
                                     --start-mode, drawn anew from the seed and the number
                                     of restarts; channels (1 to 12) limits the satellites
                                     used per system
A command repeated within one second of its previous copy is taken once.
)";
}

}  // namespace kelmsim
