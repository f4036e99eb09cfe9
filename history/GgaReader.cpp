#include "GgaReader.h"

#include "FieldValue.h"
#include "SentenceFields.h"

namespace {

std::string_view WithoutDollar(std::string_view sentence) {
    if (!sentence.empty() && sentence.front() == '$') {
        sentence.remove_prefix(1);
    }
    return sentence;
}

bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

}  // namespace

bool ChecksumHolds(std::string_view sentence) {
    sentence = WithoutDollar(sentence);
    const std::size_t star = sentence.find('*');
    if (star == std::string_view::npos) {
        return true;
    }
    if (sentence.size() < star + 3) {
        return false;
    }
    const std::optional<int> high = HexDigitField(sentence.substr(star + 1, 1));
    const std::optional<int> low = HexDigitField(sentence.substr(star + 2, 1));
    if (!high || !low) {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < star; ++i) {
        sum ^= static_cast<unsigned char>(sentence[i]);
    }
    return sum == static_cast<unsigned>(*high * 16 + *low);
}

bool IsSentence(std::string_view sentence, std::string_view type, TalkerFilter filter) {
    sentence = WithoutDollar(sentence);
    if (sentence.size() < 2 + type.size() + 1 || sentence[2 + type.size()] != ',' ||
        sentence.substr(2, type.size()) != type) {
        return false;
    }
    const bool talker = filter == TalkerFilter::GpsOnly
                            ? sentence.starts_with("GP")
                            : IsUpperLetter(sentence[0]) && IsUpperLetter(sentence[1]);
    return talker && ChecksumHolds(sentence);
}

std::optional<GgaSentence> ReadGga(std::string_view sentence, TalkerFilter filter) {
    if (!IsSentence(sentence, "GGA", filter)) {
        return std::nullopt;
    }
    const SentenceFields fields(sentence);
    GgaSentence gga;
    if (const std::optional<UtcTime> time = TimeField(fields[1])) {
        gga.secondOfDay = time->millisecondOfDay / 1000.0;
    }
    gga.latitude = LatitudeField(fields[2], fields[3]);
    gga.longitude = LongitudeField(fields[4], fields[5]);
    if (!gga.latitude || !gga.longitude) {
        gga.latitude.reset();
        gga.longitude.reset();
    }
    gga.quality = IntField(fields[6]).value_or(0);
    gga.used = CountField(fields[7]);
    gga.hdop = NonNegativeField(fields[8]);
    gga.altitude = RealField(fields[9]);
    return gga;
}
