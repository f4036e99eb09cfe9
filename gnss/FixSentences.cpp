#include "FixSentences.h"

#include "FieldValue.h"

namespace {

void ReadPosition(const SentenceFields& fields, int first, FixReport& report) {
    const std::optional<double> latitude = LatitudeField(fields[first], fields[first + 1]);
    const std::optional<double> longitude = LongitudeField(fields[first + 2], fields[first + 3]);
    if (latitude && longitude) {
        report.latitude = latitude;
        report.longitude = longitude;
    }
}

// "A" valid, "V" not; anything else says nothing.
PositionStatus StatusLetter(std::string_view letter) {
    if (letter == "A") {
        return PositionStatus::Valid;
    }
    return letter == "V" ? PositionStatus::Invalid : PositionStatus::Unknown;
}

// $GNGGA,171926.00,4404.14063,N,12118.85478,W,1,12,0.91,1147.2,M,-21.3,M,,*44
//  1 time  2-5 position  6 quality (0 no fix)  7 satellites used  8 HDOP
//  9 altitude above mean sea level  10 its unit  11 geoid separation  12 its unit
//  13 age of differential corrections  14 station
FixReport ParseGga(const SentenceFields& fields) {
    FixReport report;
    report.time = TimeField(fields[1]);
    ReadPosition(fields, 2, report);
    if (const std::optional<int> quality = IntField(fields[6])) {
        report.status = *quality == 0 ? PositionStatus::Invalid : PositionStatus::Valid;
    }
    report.satellitesUsed = CountField(fields[7]);
    report.hdop = NonNegativeField(fields[8]);
    report.altitude = RealField(fields[9]);
    return report;
}

// $GNRMC,003956.00,A,4552.65403,S,17030.00668,E,0.025,,120419,,,A,V*07
//  1 time  2 status (A valid, V not)  3-6 position  7 speed in knots  8 course (true)
//  9 date ddmmyy  10-11 magnetic variation  12 mode (NMEA 2.3)  13 navigational status (4.10)
FixReport ParseRmc(const SentenceFields& fields) {
    FixReport report;
    report.time = TimeField(fields[1]);
    report.status = StatusLetter(fields[2]);
    ReadPosition(fields, 3, report);
    report.speedKnots = NonNegativeField(fields[7]);
    report.courseDeg = CourseField(fields[8]);
    report.date = DateField(fields[9]);
    return report;
}

// $GNGNS,014035.00,4332.69262,S,17235.48549,E,RR,13,0.9,25.63,11.24,,*70
//  1 time  2-5 position  6 mode, one letter per system (GPS, GLONASS, Galileo, BeiDou,
//  QZSS, NavIC; N no fix)  7 satellites used  8 HDOP  9 altitude above mean sea level
//  10 geoid separation  11 age of differential corrections  12 station  13 status (4.10)
FixReport ParseGns(const SentenceFields& fields) {
    FixReport report;
    report.time = TimeField(fields[1]);
    ReadPosition(fields, 2, report);
    const std::string_view mode = fields[6];
    if (!mode.empty()) {
        // One system with a fix is enough: the others may not be tracked at all.
        const bool none = mode.find_first_not_of('N') == std::string_view::npos;
        report.status = none ? PositionStatus::Invalid : PositionStatus::Valid;
    }
    report.satellitesUsed = CountField(fields[7]);
    report.hdop = NonNegativeField(fields[8]);
    report.altitude = RealField(fields[9]);
    return report;
}

// $GNGLL,4404.14066,N,12118.85481,W,171925.00,A,A*66
//  1-4 position  5 time  6 status (A valid, V not)  7 mode (NMEA 2.3)
FixReport ParseGll(const SentenceFields& fields) {
    FixReport report;
    ReadPosition(fields, 1, report);
    report.time = TimeField(fields[5]);
    report.status = StatusLetter(fields[6]);
    return report;
}

// $GNVTG,,T,,M,0.117,N,0.216,K,A*3F
//  1 course (true)  2 "T"  3 course (magnetic)  4 "M"  5 speed in knots  6 "N"
//  7 speed in km/h  8 "K"  9 mode (NMEA 2.3; N data not valid)
FixReport ParseVtg(const SentenceFields& fields) {
    FixReport report;
    if (fields[9] == "N" || fields[2] != "T" || fields[6] != "N") {
        return report;  // not valid, or the pre-2.3 form without unit letters
    }
    report.courseDeg = CourseField(fields[1]);
    report.speedKnots = NonNegativeField(fields[5]);
    return report;
}

}  // namespace

FixReport ParseFixSentence(GnssSentence sentence, const SentenceFields& fields) {
    switch (sentence) {
        case GnssSentence::Gga:
            return ParseGga(fields);
        case GnssSentence::Rmc:
            return ParseRmc(fields);
        case GnssSentence::Gns:
            return ParseGns(fields);
        case GnssSentence::Gll:
            return ParseGll(fields);
        case GnssSentence::Vtg:
            return ParseVtg(fields);
        case GnssSentence::Gsa:
        case GnssSentence::Gsv:
            break;
    }
    return {};
}
