#include "GsaSentence.h"

#include <algorithm>

#include "FieldValue.h"

namespace {

constexpr int kFirstSatellite = 3;
constexpr int kFieldsWithoutSystemId = 17;
constexpr int kFieldsWithSystemId = 18;

}  // namespace

// $GNGSA,A,3,13,16,21,15,10,29,27,20,,,,,1.05,0.64,0.83,1*03
//  1 selection mode (A automatic, M manual)  2 fix mode (1 none, 2 2D, 3 3D)
//  3-14 satellites used, empty fields after the last  15 PDOP  16 HDOP  17 VDOP
//  18 system ID (NMEA 4.10: 1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS, 6 NavIC)
GsaReport ParseGsa(const SentenceFields& fields) {
    GsaReport report;
    report.fixMode = IntField(fields[2]);
    const int count = fields.Count() - 1;
    // A GSA cut short (as some receivers send before the first fix) still names satellites.
    const int lastSatellite = std::min(count, kFirstSatellite + GsaReport::kMaxSatellites - 1);
    for (int i = kFirstSatellite; i <= lastSatellite; ++i) {
        if (const std::optional<int> number = IntField(fields[i]); number && *number > 0) {
            report.satellites[static_cast<std::size_t>(report.satelliteCount++)] = *number;
        }
    }
    // Only the two standard lengths say where the DOPs are.
    if (count == kFieldsWithoutSystemId || count == kFieldsWithSystemId) {
        report.pdop = NonNegativeField(fields[15]);
        report.hdop = NonNegativeField(fields[16]);
        report.vdop = NonNegativeField(fields[17]);
    }
    if (count == kFieldsWithSystemId) {
        report.systemId = HexDigitField(fields[18]);
    }
    return report;
}
