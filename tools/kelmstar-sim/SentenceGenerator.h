#pragma once
// Turns one epoch's data into NMEA 0183 payloads (the text between "$" and "*"), as a GPS
// receiver with the "GP" talker unless the format names more systems (see NmeaFormat).
// Before a fix the position, speed and DOP fields are empty, as receivers send them.

#include <string>
#include <vector>

#include "EpochData.h"
#include "NmeaFormat.h"
#include "SentenceConfig.h"

namespace kelmsim {

class SentenceGenerator {
public:
    // The payloads of one sentence type: one for GGA, GLL, RMC and VTG; GSA one per system;
    // GSV per system a group of messages of up to four satellites each.
    static std::vector<std::string> payloads(OutputSentence sentence, const EpochData& epoch,
                                             const NmeaFormat& format = {});

    static std::string gga(const EpochData& epoch, const NmeaFormat& format = {});
    static std::string gll(const EpochData& epoch, const NmeaFormat& format = {});
    // The GPS receiver's one GSA.
    static std::string gsa(const EpochData& epoch);
    static std::vector<std::string> gsaPerSystem(const EpochData& epoch, const NmeaFormat& format);
    static std::vector<std::string> gsv(const EpochData& epoch, const NmeaFormat& format = {});
    static std::string rmc(const EpochData& epoch, const NmeaFormat& format = {});
    static std::string vtg(const EpochData& epoch, const NmeaFormat& format = {});
};

}  // namespace kelmsim
