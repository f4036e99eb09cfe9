#pragma once

#include <optional>

#include "GnssSystem.h"
#include "SentenceAddress.h"

// Which satellite a number in a GSA or GSV sentence means. The number alone does not say:
// the talker or the NMEA 4.11 system ID chooses the numbering, and the GP and GN numbering
// gives each system a range of its own.
class SatelliteNumbering {
public:
    enum class Scheme { Mixed, Glonass, Galileo, BeiDou, Qzss, NavIC };

    static Scheme ForTalker(Talker talker);

    // The system ID of GSA (1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS, 6 NavIC);
    // nothing for another value.
    static std::optional<Scheme> ForSystemId(int systemId);

    // Nothing for a number that belongs to no satellite in `scheme`.
    static std::optional<SatelliteId> Identify(Scheme scheme, int nmea);
};
