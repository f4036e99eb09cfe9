#pragma once
// Turns one epoch's data into NMEA 0183 payloads (the text between "$" and "*") with the "GP"
// talker. Before a fix the position, speed and DOP fields are empty, as receivers send them.

#include <string>
#include <vector>

#include "EpochData.h"
#include "SentenceConfig.h"

namespace kelmsim {

class SentenceGenerator {
public:
    // The payloads of one sentence type: one for every type except GSV, which gives one to
    // three messages of up to four satellites each.
    static std::vector<std::string> payloads(OutputSentence sentence, const EpochData& epoch);

    static std::string gga(const EpochData& epoch);
    static std::string gll(const EpochData& epoch);
    static std::string gsa(const EpochData& epoch);
    static std::vector<std::string> gsv(const EpochData& epoch);
    static std::string rmc(const EpochData& epoch);
    static std::string vtg(const EpochData& epoch);
};

}  // namespace kelmsim
