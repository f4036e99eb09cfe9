#pragma once
// How the receiver writes its sentences: the systems it reports and the NMEA 0183 version
// whose fields it uses. GPS alone gives the classic GP sentences whatever the version; more
// systems give a multi-GNSS receiver's: GN positions, one GSA and one GSV group per system.

#include <optional>
#include <string_view>
#include <vector>

#include "GnssSystem.h"

namespace kelmsim {

enum class NmeaVersion { V400, V410, V411 };

// "4.00", "4.10", "4.11": the values of the --nmea option.
const char* nmeaVersionName(NmeaVersion version);
std::optional<NmeaVersion> nmeaVersionNamed(std::string_view name);

struct NmeaFormat {
    std::vector<GnssSystem> systems{GnssSystem::Gps};  // in GnssSystem order, each once
    NmeaVersion version = NmeaVersion::V411;
    int signals = 1;  // 2: a dual-frequency receiver, a GSV group per system and signal

    bool gpsOnly() const;
    // Of GGA, GLL, RMC and VTG: "GN" for several systems, else the one system's own.
    const char* talker() const;
    // 4.11: each GSA ends in its system ID and takes the talker above. Without the ID, each
    // GSA takes its system's own talker so that a reader can tell which system it lists.
    bool gsaSystemId() const;
    const char* gsaTalker(GnssSystem system) const;
    // 4.10 and 4.11: each GSV ends in the signal ID, and RMC in the navigational status.
    bool gsvSignalId() const;
    bool rmcNavigationalStatus() const;
};

}  // namespace kelmsim
