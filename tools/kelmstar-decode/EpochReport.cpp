#include "EpochReport.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "GnssSystem.h"
#include "JsonReport.h"
#include "SignalTable.h"

namespace {

constexpr int kCoordinateDecimals = 9;  // a tenth of a millimetre

// Computed from minutes, so printed to a fixed precision without the zeros at its end.
void AppendCoordinate(std::string& out, const char* key, const std::optional<double>& value) {
    AppendJsonKey(out, key);
    if (!value) {
        out += "null";
        return;
    }
    char digits[48];
    const auto result = std::to_chars(digits, digits + sizeof digits, *value,
                                      std::chars_format::fixed, kCoordinateDecimals);
    const char* end = result.ptr;
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    const std::string_view text(digits, static_cast<std::size_t>(end - digits));
    out += text == "-0" ? "0" : text;
}

void AppendTime(std::string& out, const std::optional<UtcTime>& time) {
    AppendJsonKey(out, "time");
    if (!time) {
        out += "null";
        return;
    }
    const int ms = time->millisecondOfDay;
    int hour = ms / 3'600'000;
    int minute = ms / 60'000 % 60;
    int second = ms / 1000 % 60;
    if (ms >= 86'400'000) {  // a leap second
        hour = 23;
        minute = 59;
        second = 60;
    }
    char text[24];
    std::snprintf(text, sizeof text, "\"%02d:%02d:%02d.%02d\"", hour, minute, second,
                  ms % 1000 / 10);
    out += text;
}

void AppendDate(std::string& out, const std::optional<CalendarDate>& date) {
    AppendJsonKey(out, "date");
    if (!date) {
        out += "null";
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "\"%04d-%02d-%02d\"", date->year, date->month, date->day);
    out += text;
}

void AppendSatellite(std::string& out, const SatelliteSignal& satellite) {
    out += "{\"system\":\"";
    out += GnssSystemName(satellite.id.system);
    out += "\",\"svid\":";
    AppendJsonNumber(out, satellite.id.svid);
    out += ",\"nmea\":";
    AppendJsonNumber(out, satellite.nmea);
    AppendJsonKey(out, "signal");
    if (const char* name = SignalName(satellite.id.system, satellite.signalId)) {
        out += '"';
        out += name;
        out += '"';
    } else {
        out += "null";
    }
    AppendJsonOptional(out, "elevation", satellite.elevation);
    AppendJsonOptional(out, "azimuth", satellite.azimuth);
    AppendJsonOptional(out, "cno", satellite.cno);
    out += satellite.used ? ",\"used\":true}" : ",\"used\":false}";
}

}  // namespace

void AppendEpochReport(std::string& out, const GnssEpoch& epoch) {
    out += "{\"class\":\"EPOCH\"";
    AppendTime(out, epoch.time);
    AppendDate(out, epoch.date);
    AppendJsonKey(out, "fix");
    AppendJsonNumber(out, epoch.fix);
    AppendCoordinate(out, "lat", epoch.latitude);
    AppendCoordinate(out, "lon", epoch.longitude);
    AppendJsonOptional(out, "alt", epoch.altitude);
    AppendJsonOptional(out, "speedKnots", epoch.speedKnots);
    AppendJsonOptional(out, "courseDeg", epoch.courseDeg);
    AppendJsonOptional(out, "pdop", epoch.pdop);
    AppendJsonOptional(out, "hdop", epoch.hdop);
    AppendJsonOptional(out, "vdop", epoch.vdop);
    AppendJsonKey(out, "used");
    AppendJsonNumber(out, epoch.used);
    out += ",\"satellites\":[";
    for (std::size_t i = 0; i < epoch.satellites.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendSatellite(out, epoch.satellites[i]);
    }
    out += "]}\n";
}
