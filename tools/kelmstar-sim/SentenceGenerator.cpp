#include "SentenceGenerator.h"

#include <algorithm>
#include <cstdio>

#include "NmeaText.h"

namespace kelmsim {

namespace {

constexpr double kKnotsToKmh = 1.852;
constexpr std::size_t kSatellitesPerGsv = 4;
// How much weaker a second signal (L2, E5b, B2I) arrives than the first.
constexpr int kSecondSignalLoss = 4;

// "hhmmss.ss"
std::string timeField(const UtcTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d%02d%02d.%02d", t.hour, t.minute, t.second,
                  t.millisecond / 10);
    return text;
}

// "ddmmyy"
std::string dateField(const UtcTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d%02d%02d", t.day, t.month, t.year % 100);
    return text;
}

std::string positionFields(const GeoPosition& p) {
    return formatLatitude(p.latitude) + "," + formatLongitude(p.longitude);
}

std::string number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A classic GPS receiver has twelve channels; a multi-GNSS one lists up to nine GSV messages
// of four satellites per system.
std::size_t listedLimit(const NmeaFormat& format) {
    return format.gpsOnly() ? 12 : 36;
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*hh: mode, fix type, twelve satellite fields,
// PDOP, HDOP, VDOP (NMEA 4.11: then the system ID). The twelve fields are always present,
// empty when unused.
std::string gsaOf(const std::string& address, const EpochData& e, const std::vector<int>& used) {
    std::string out = address + ",A,";
    out += std::to_string(e.fixMode);
    for (std::size_t i = 0; i < 12; ++i) {
        out += ',';
        if (e.hasFix() && i < used.size()) {
            char prn[8];
            std::snprintf(prn, sizeof prn, "%02d", used[i] % 100);
            out += prn;
        }
    }
    if (!e.hasFix()) {
        return out + ",,,";
    }
    return out + "," + number("%.1f", e.dops.pdop) + "," + number("%.1f", e.dops.hdop) + "," +
           number("%.1f", e.dops.vdop);
}

// $GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*hh: message count,
// message number, satellites in view, then per satellite its number, elevation, azimuth and
// C/No (empty when not tracked) (NMEA 4.10 and 4.11: then the signal ID). The last message
// carries only the satellites that are left.
std::vector<std::string> gsvGroup(const std::string& address,
                                  const std::vector<const SatelliteReport*>& satellites,
                                  const std::string& signalField) {
    const std::size_t count = satellites.size();
    const std::size_t messages =
        std::max<std::size_t>(1, (count + kSatellitesPerGsv - 1) / kSatellitesPerGsv);
    std::vector<std::string> out;
    for (std::size_t m = 0; m < messages; ++m) {
        char head[80];
        std::snprintf(head, sizeof head, "%s,%zu,%zu,%02zu", address.c_str(), messages, m + 1,
                      count);
        std::string text = head;
        const std::size_t end = std::min(count, (m + 1) * kSatellitesPerGsv);
        for (std::size_t i = m * kSatellitesPerGsv; i < end; ++i) {
            const SatelliteReport& s = *satellites[i];
            char block[48];
            std::snprintf(block, sizeof block, ",%02d,%02d,%03d,", s.prn % 100,
                          std::clamp(s.elevation, 0, 90), std::clamp(s.azimuth, 0, 359));
            text += block;
            if (s.cno) {
                char cno[8];
                std::snprintf(cno, sizeof cno, "%02d", std::clamp(*s.cno, 0, 99));
                text += cno;
            }
        }
        out.push_back(text + signalField);
    }
    return out;
}

// The satellites as the receiver hears them on signal `signal`: the second signal of a
// dual-frequency receiver comes in a few dB weaker, and not at all when the first is lost.
std::vector<SatelliteReport> onSecondSignal(const std::vector<const SatelliteReport*>& first,
                                            int signal) {
    std::vector<SatelliteReport> reports;
    for (const SatelliteReport* s : first) {
        SatelliteReport report = *s;
        if (signal > 0 && report.cno) {
            report.cno = *report.cno - kSecondSignalLoss;
        }
        reports.push_back(report);
    }
    return reports;
}

}  // namespace

std::vector<std::string> SentenceGenerator::payloads(OutputSentence sentence,
                                                     const EpochData& epoch,
                                                     const NmeaFormat& format) {
    switch (sentence) {
        case OutputSentence::GGA:
            return {gga(epoch, format)};
        case OutputSentence::GLL:
            return {gll(epoch, format)};
        case OutputSentence::GSA:
            return format.gpsOnly() ? std::vector<std::string>{gsa(epoch)}
                                    : gsaPerSystem(epoch, format);
        case OutputSentence::GSV:
            return gsv(epoch, format);
        case OutputSentence::RMC:
            return {rmc(epoch, format)};
        case OutputSentence::VTG:
            return {vtg(epoch, format)};
    }
    return {};
}

// $GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47
//   1 time  2-5 position  6 quality  7 satellites used  8 HDOP  9-10 altitude
//   11-12 geoid separation  13-14 differential age and station (empty)
std::string SentenceGenerator::gga(const EpochData& e, const NmeaFormat& format) {
    const std::string address = std::string(format.talker()) + "GGA,";
    const std::string time = timeField(e.time);
    if (!e.hasFix()) {
        return address + time + ",,,,,0,00,,,M,,M,,";
    }
    char used[8];
    std::snprintf(used, sizeof used, "%02zu",
                  std::min<std::size_t>(e.usedPrns.size(), format.gpsOnly() ? 12 : 99));
    return address + time + "," + positionFields(e.position) + ",1," + used + "," +
           number("%.1f", e.dops.hdop) + "," + number("%.1f", e.position.altitude) + ",M," +
           number("%.1f", e.geoidSeparation) + ",M,,";
}

// $GPGLL,4916.4500,N,12311.1200,W,225444.00,A,A*hh: position, time, status, mode.
std::string SentenceGenerator::gll(const EpochData& e, const NmeaFormat& format) {
    const std::string address = std::string(format.talker()) + "GLL,";
    const std::string time = timeField(e.time);
    if (!e.hasFix()) {
        return address + ",,,," + time + ",V,N";
    }
    return address + positionFields(e.position) + "," + time + ",A,A";
}

std::string SentenceGenerator::gsa(const EpochData& e) {
    std::vector<int> used;
    for (const SatelliteId& id : e.usedPrns) {
        used.push_back(id.prn);
    }
    return gsaOf("GPGSA", e, used);
}

std::vector<std::string> SentenceGenerator::gsaPerSystem(const EpochData& e,
                                                         const NmeaFormat& format) {
    std::vector<std::string> out;
    for (GnssSystem system : format.systems) {
        std::vector<int> used;
        for (const SatelliteId& id : e.usedPrns) {
            if (id.system == system) {
                used.push_back(id.prn);
            }
        }
        std::string text = gsaOf(std::string(format.gsaTalker(system)) + "GSA", e, used);
        if (format.gsaSystemId()) {
            text += "," + std::to_string(nmeaSystemId(system));
        }
        out.push_back(std::move(text));
    }
    return out;
}

std::vector<std::string> SentenceGenerator::gsv(const EpochData& e, const NmeaFormat& format) {
    std::vector<std::string> out;
    for (GnssSystem system : format.systems) {
        std::vector<const SatelliteReport*> satellites;
        for (const SatelliteReport& s : e.inView) {
            if (s.system == system && satellites.size() < listedLimit(format)) {
                satellites.push_back(&s);
            }
        }
        for (int signal = 0; signal < format.signals; ++signal) {
            char field[8] = "";
            if (format.gsvSignalId()) {
                std::snprintf(field, sizeof field, ",%X", nmeaSignalId(system, signal));
            }
            const std::vector<SatelliteReport> onSignal = onSecondSignal(satellites, signal);
            std::vector<const SatelliteReport*> reports;
            for (const SatelliteReport& s : onSignal) {
                reports.push_back(&s);
            }
            for (std::string& text :
                 gsvGroup(std::string(systemTalker(system)) + "GSV", reports, field)) {
                out.push_back(std::move(text));
            }
        }
    }
    return out;
}

// $GPRMC,123519.00,A,4807.0380,N,01131.0000,E,22.4,84.4,230394,,,A*hh: time, status,
// position, speed in knots, true course, date, magnetic variation (empty), mode (NMEA 4.10
// and 4.11: then the navigational status, V for none given).
std::string SentenceGenerator::rmc(const EpochData& e, const NmeaFormat& format) {
    const std::string address = std::string(format.talker()) + "RMC,";
    const std::string time = timeField(e.time);
    const std::string date = dateField(e.time);
    const std::string status = format.rmcNavigationalStatus() ? ",V" : "";
    if (!e.hasFix()) {
        return address + time + ",V,,,,,,," + date + ",,,N" + status;
    }
    return address + time + ",A," + positionFields(e.position) + "," +
           number("%.1f", e.speedKnots) + "," + number("%.1f", e.course) + "," + date + ",,,A" +
           status;
}

// $GPVTG,84.4,T,,M,22.4,N,41.5,K,A*hh: true course, magnetic course (empty), speed in knots
// and in km/h, mode.
std::string SentenceGenerator::vtg(const EpochData& e, const NmeaFormat& format) {
    const std::string address = std::string(format.talker()) + "VTG,";
    if (!e.hasFix()) {
        return address + ",T,,M,,N,,K,N";
    }
    return address + number("%.1f", e.course) + ",T,,M," + number("%.1f", e.speedKnots) + ",N," +
           number("%.1f", e.speedKnots * kKnotsToKmh) + ",K,A";
}

}  // namespace kelmsim
