#include "SentenceDecoder.h"

#include <cmath>
#include <cstring>

#include "FieldScanner.h"

namespace {

constexpr int kGsvRowBase = 0;  // Message View rows 1..3 are GSV messages 1..3
constexpr int kGgaRow = 4;
constexpr int kGsaRow = 5;
constexpr int kRmcRow = 6;
constexpr int kVtgRow = 7;
constexpr int kGllRow = 8;

constexpr int kGsaDopComma = 15;
constexpr int kGsaDopTextLimit = 50;

// $GPGSV,3,1,10,07,79,048,42,02,51,062,43,26,36,256,42,27,27,138,42*71
//  1 message count  2 message number  3 satellites in view
//  then per satellite: prn, elevation, azimuth, C/No
// An empty field stores 0 and the parse goes on: receivers list satellites in view but not
// tracked (no C/No) or without a position in the sky yet (no elevation) before others.
int GsvBlocksToParse(int messageNumber, int satsInView) {
    const int firstSlot = (messageNumber - 1) * 4;
    const int remaining = satsInView - firstSlot;
    if (remaining <= 0) {
        return 0;
    }
    // Message 3 with more than twelve satellites fills the last four slots.
    return remaining < 4 ? remaining : 4;
}

void DecodeGsv(const char* text, NavState& nav, DecodeListener& listener) {
    FieldScanner counts(text);
    (void)(counts.Literal("GPGSV,") && counts.Int(&nav.gsvMessageCount) && counts.Literal(",") &&
           counts.Int(&nav.gsvMessageNumber) && counts.Literal(",") && counts.Int(&nav.satsInView));
    listener.ShowMeasuredValues(SentenceType::Gsv, nav);
    if (nav.satsInView == 0) {
        return;
    }
    const int message = nav.gsvMessageNumber;
    if (message < 1 || message > 3) {
        return;
    }
    listener.ShowMessageRow(kGsvRowBase + message, text);

    const int blocks = GsvBlocksToParse(message, nav.satsInView);
    if (blocks > 0) {
        FieldScanner scan(text);
        std::int32_t ignored = 0;
        bool ok = scan.Literal("GPGSV,") && scan.Int(&ignored) && scan.Literal(",") &&
                  scan.Int(&ignored) && scan.Literal(",") && scan.Int(&ignored);
        for (int b = 0; ok && b < blocks; ++b) {
            SatInView& slot = nav.sats[static_cast<std::size_t>((message - 1) * 4 + b)];
            std::int32_t snr = 0;
            ok = scan.Literal(",") && scan.IntOrEmpty(&slot.prn) && scan.Literal(",") &&
                 scan.IntOrEmpty(&slot.elevation) && scan.Literal(",") &&
                 scan.IntOrEmpty(&slot.azimuth) && scan.Literal(",") && scan.IntOrEmpty(&snr);
            if (ok) {
                slot.snr = static_cast<std::uint8_t>(snr);
            }
        }
    }
    listener.ShowSatelliteRows(nav.gsvMessageNumber, nav.gsvMessageCount, nav);
}

// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
//  1 time  2-5 position (not kept)  6 quality  7 satellites used  8 HDOP  9 altitude
void DecodeGga(const char* text, NavState& nav, DecodeListener& listener) {
    listener.ShowMessageRow(kGgaRow, text);
    FieldScanner scan(text);
    float ignoredReal = 0.0f;
    char ignoredChar = 0;
    std::int32_t ignoredInt = 0;
    (void)(scan.Literal("GPGGA,") && scan.Int(&nav.utcHour, 2) && scan.Int(&nav.utcMinute, 2) &&
           scan.Float(&nav.utcSecond) && scan.Literal(",") && scan.Float(&ignoredReal) &&
           scan.Literal(",") && scan.Char(&ignoredChar) && scan.Literal(",") &&
           scan.Float(&ignoredReal) && scan.Literal(",") && scan.Char(&ignoredChar) &&
           scan.Literal(",") && scan.Int(&nav.ggaQuality, 1) && scan.Literal(",") &&
           scan.Int(&ignoredInt, 2) && scan.Literal(",") && scan.Float(&nav.hdop) &&
           scan.Literal(",") && scan.Float(&nav.altitude) && scan.Literal(",") && scan.SkipWord());
    listener.ShowMeasuredValues(SentenceType::Gga, nav);
}

// The dilutions follow the 15th comma, whatever the talker.
void DecodeGsaDops(const char* text, NavState& nav) {
    int commas = 0;
    const char* p = text;
    for (; *p != '\0' && commas < kGsaDopComma; ++p) {
        if (*p == ',') {
            ++commas;
        }
    }
    if (commas < kGsaDopComma) {
        return;
    }
    char dops[kGsaDopTextLimit + 1] = {};
    std::strncpy(dops, p, kGsaDopTextLimit);
    FieldScanner scan(dops);
    (void)(scan.Float(&nav.pdop) && scan.Literal(",") && scan.Float(&nav.hdop) &&
           scan.Literal(",") && scan.Float(&nav.vdop));
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
//  1 selection mode  2 fix mode  3-14 satellites used  15 PDOP  16 HDOP  17 VDOP
void DecodeGsa(const char* text, NavState& nav, DecodeListener& listener) {
    listener.ShowMessageRow(kGsaRow, text);
    FieldScanner scan(text);
    char ignoredMode = 0;
    (void)(scan.Literal("GPGSA,") && scan.Char(&ignoredMode) && scan.Literal(",") &&
           scan.Int(&nav.fixMode));
    DecodeGsaDops(text, nav);
    if (nav.fixMode == 1) {
        nav.fixAvailable = 0;
    } else if (nav.fixMode == 2 || nav.fixMode == 3) {
        nav.fixAvailable = 1;
    }
    listener.ShowMeasuredValues(SentenceType::Gsa, nav);
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
//  1 time  2 status (not kept)  3-6 position  7 speed in knots  8 course
//  9 date and 10 magnetic variation (not kept)
void DecodeRmc(const char* text, NavState& nav, DecodeListener& listener) {
    listener.ShowMessageRow(kRmcRow, text);
    FieldScanner scan(text);
    char ignoredStatus = 0;
    std::int32_t ignoredDate = 0;
    float ignoredVariation = 0.0f;
    (void)(scan.Literal("GPRMC,") && scan.Int(&nav.utcHour, 2) && scan.Int(&nav.utcMinute, 2) &&
           scan.Float(&nav.utcSecond) && scan.Literal(",") && scan.Char(&ignoredStatus) &&
           scan.Literal(",") && scan.Float(&nav.latitude) && scan.Literal(",") &&
           scan.Char(&nav.latHemisphere) && scan.Literal(",") && scan.Float(&nav.longitude) &&
           scan.Literal(",") && scan.Char(&nav.lonHemisphere) && scan.Literal(",") &&
           scan.Float(&nav.speedKnots) && scan.Literal(",") && scan.Float(&nav.courseDeg) &&
           scan.Literal(",") && scan.Int(&ignoredDate) && scan.Literal(",") &&
           scan.Float(&ignoredVariation));
    constexpr int kLatitudeField = 5;
    constexpr int kLongitudeField = 7;
    if (scan.Stored() >= kLatitudeField) {
        nav.latitude = DegreesFromDegreesMinutes(nav.latitude);
    }
    if (scan.Stored() >= kLongitudeField) {
        nav.longitude = DegreesFromDegreesMinutes(nav.longitude);
    }
    listener.ShowMeasuredValues(SentenceType::Rmc, nav);
}

}  // namespace

float DegreesFromDegreesMinutes(float value) {
    value = static_cast<float>(value * 0.01);
    // trunc rather than a cast to int: the same whole degrees, and defined for any value.
    const float degrees = std::trunc(value);
    const float minutes = static_cast<float>((value - degrees) * 100.0);
    return static_cast<float>((degrees * 60.0f + minutes) * (1.0 / 60));
}

int MessageRowOf(SentenceType type, int gsvMessageNumber) {
    switch (type) {
        case SentenceType::Gsv:
            return gsvMessageNumber >= 1 && gsvMessageNumber <= 3 ? kGsvRowBase + gsvMessageNumber
                                                                  : 0;
        case SentenceType::Gga:
            return kGgaRow;
        case SentenceType::Gsa:
            return kGsaRow;
        case SentenceType::Rmc:
            return kRmcRow;
        case SentenceType::Vtg:
            return kVtgRow;
        case SentenceType::Gll:
            return kGllRow;
        case SentenceType::Other:
            break;
    }
    return 0;
}

SentenceType SentenceTypeOf(const char* text) {
    if (std::strlen(text) < 5) {
        return SentenceType::Other;
    }
    const char* type = text + 2;
    struct Entry {
        const char* letters;
        SentenceType type;
    };
    static constexpr Entry kTypes[] = {
        {"GSV", SentenceType::Gsv}, {"GGA", SentenceType::Gga}, {"GSA", SentenceType::Gsa},
        {"RMC", SentenceType::Rmc}, {"VTG", SentenceType::Vtg}, {"GLL", SentenceType::Gll},
    };
    for (const Entry& entry : kTypes) {
        if (std::memcmp(type, entry.letters, 3) == 0) {
            return entry.type;
        }
    }
    return SentenceType::Other;
}

void DecodeSentence(const SentenceBuffer& sentence, NavState& nav, DecodeListener& listener) {
    const char* text = sentence.Text();
    switch (SentenceTypeOf(text)) {
        case SentenceType::Gsv:
            DecodeGsv(text, nav, listener);
            break;
        case SentenceType::Gga:
            DecodeGga(text, nav, listener);
            break;
        case SentenceType::Gsa:
            DecodeGsa(text, nav, listener);
            break;
        case SentenceType::Rmc:
            DecodeRmc(text, nav, listener);
            break;
        case SentenceType::Vtg:
            listener.ShowMessageRow(kVtgRow, text);
            break;
        case SentenceType::Gll:
            listener.ShowMessageRow(kGllRow, text);
            break;
        case SentenceType::Other:
            break;
    }
    listener.SentenceDecoded(text, nav);
}
