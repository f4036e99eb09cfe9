#pragma once

#include <optional>
#include <vector>

#include "GnssSystem.h"

// A UTC time of day as a sentence gives it, to the millisecond.
struct UtcTime {
    int millisecondOfDay = 0;  // 86,400,000 and above only within a leap second

    friend bool operator==(const UtcTime&, const UtcTime&) = default;
};

struct CalendarDate {
    int year = 0;  // four digits
    int month = 0;
    int day = 0;

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// One satellite on one signal, as the latest complete GSV group of its talker and signal
// reported it.
struct SatelliteSignal {
    SatelliteId id;
    int nmea = 0;       // the number as the sentence wrote it (GLONASS 65-96, for example)
    int signalId = -1;  // the NMEA 4.10 signal ID 0-15; -1 when the GSV carried none
    std::optional<int> elevation;  // degrees
    std::optional<int> azimuth;    // degrees
    std::optional<int> cno;        // dB-Hz; nothing while in view but not tracked
    bool used = false;             // named by a GSA of the epoch and tracked on this signal
};

// What the sentences of one epoch said: those up to a change of the UTC time in a GGA,
// RMC or GNS sentence. Position, altitude, speed and course are there only when the
// epoch has a valid position.
struct GnssEpoch {
    std::optional<UtcTime> time;
    std::optional<CalendarDate> date;
    int fix = 0;                      // 0 no valid position, 2 two-dimensional, 3 three-dimensional
    std::optional<double> latitude;   // degrees, south negative
    std::optional<double> longitude;  // degrees, west negative
    std::optional<double> altitude;   // metres above mean sea level
    std::optional<double> speedKnots;
    std::optional<double> courseDeg;  // true
    std::optional<double> pdop;
    std::optional<double> hdop;
    std::optional<double> vdop;
    int used = 0;  // satellites the GSA sentences name, else GGA's count, else 0
    std::vector<SatelliteId> usedSatellites;  // sorted, from every GSA of the epoch
    std::vector<SatelliteSignal> satellites;  // sorted by system, number and signal
};
