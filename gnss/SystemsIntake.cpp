#include "SystemsIntake.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SentenceAddress.h"
#include "SentenceDecoder.h"
#include "SentenceField.h"

namespace {

constexpr int kRowsPerMessage = 4;

// A small decimal field ("3", "12"); 0 when empty or no number.
int SmallNumber(std::string_view field) {
    if (field.empty() || field.size() > 4 || !AllDigits(field)) {
        return 0;
    }
    return std::atoi(std::string(field).c_str());
}

bool FromGpsTalker(std::string_view text) {
    return text.starts_with("GP");
}

// The fix as the program's own decoder keeps it: degrees without sign and a hemisphere
// letter, the time in hours, minutes and seconds. What the epoch does not know keeps its
// value, as a sentence with empty fields leaves it.
void KeepFix(const GnssEpoch& epoch, NavState& nav) {
    if (epoch.time) {
        const int ms = epoch.time->millisecondOfDay;
        nav.utcHour = ms / 3'600'000;
        nav.utcMinute = ms / 60'000 % 60;
        nav.utcSecond = static_cast<float>(ms % 60'000) / 1000.0f;
    }
    if (epoch.latitude && epoch.longitude) {
        nav.latitude = static_cast<float>(std::fabs(*epoch.latitude));
        nav.latHemisphere = *epoch.latitude < 0 ? 'S' : 'N';
        nav.longitude = static_cast<float>(std::fabs(*epoch.longitude));
        nav.lonHemisphere = *epoch.longitude < 0 ? 'W' : 'E';
    }
    const auto keep = [](const std::optional<double>& value, float& field) {
        if (value) {
            field = static_cast<float>(*value);
        }
    };
    keep(epoch.altitude, nav.altitude);
    keep(epoch.speedKnots, nav.speedKnots);
    keep(epoch.courseDeg, nav.courseDeg);
    keep(epoch.pdop, nav.pdop);
    keep(epoch.hdop, nav.hdop);
    keep(epoch.vdop, nav.vdop);
    nav.fixMode = epoch.fix >= 2 ? epoch.fix : 1;
    nav.fixAvailable = epoch.fix >= 2 ? 1 : 0;
}

// One satellite for the channel slots: its best signal.
struct Channel {
    SatelliteId id;
    int elevation = 0;
    int azimuth = 0;
    int cno = 0;
};

std::vector<Channel> Strongest(const std::vector<SatelliteTable::Entry>& entries) {
    std::vector<Channel> channels;
    for (const SatelliteTable::Entry& entry : entries) {  // sorted by system and number
        const SatelliteSignal& signal = entry.signal;
        if (channels.empty() || channels.back().id != signal.id) {
            channels.push_back(
                {signal.id, signal.elevation.value_or(0), signal.azimuth.value_or(0), 0});
        }
        channels.back().cno = std::max(channels.back().cno, signal.cno.value_or(0));
    }
    std::stable_sort(channels.begin(), channels.end(), [](const Channel& a, const Channel& b) {
        return a.cno != b.cno ? a.cno > b.cno : a.elevation > b.elevation;
    });
    return channels;
}

}  // namespace

void SystemsIntake::SetSystems(SatelliteSystems systems) {
    systems_ = systems;
    Reset();
}

void SystemsIntake::Decode(const SentenceBuffer& sentence, NavState& nav,
                           DecodeListener& listener) {
    const char* text = sentence.Text();
    if (systems_ == SatelliteSystems::GpsOnly) {
        DecodeSentence(sentence, nav, listener);
        if (FromGpsTalker(text)) {
            Feed(text);
        }
        return;
    }
    DecodeAll(text, nav, listener);
    listener.SentenceDecoded(text, nav);
}

void SystemsIntake::Finish() {
    if (gnss_.Finish() && onEpoch) {
        onEpoch(gnss_.LastEpoch());
    }
}

void SystemsIntake::Feed(std::string_view text) {
    if (gnss_.Decode(text) && onEpoch) {
        onEpoch(gnss_.LastEpoch());
    }
}

void SystemsIntake::DecodeAll(const char* text, NavState& nav, DecodeListener& listener) {
    const std::string_view view(text);
    const std::optional<SentenceAddress> address = SentenceAddress::Parse(SentenceField(view, 0));
    if (!address) {
        return;  // a proprietary sentence or another talker's: shown nowhere
    }
    if (address->sentence == GnssSentence::Gsv) {
        ShowSatellites(view, nav, listener);
        return;
    }
    const SentenceType type = SentenceTypeOf(text);
    if (const int row = MessageRowOf(type, 0); row > 0) {
        listener.ShowMessageRow(row, text);
    }
    Feed(view);
    if (address->sentence == GnssSentence::Gll || address->sentence == GnssSentence::Vtg) {
        return;
    }
    KeepFix(gnss_.CurrentFix(), nav);
    switch (address->sentence) {
        case GnssSentence::Gga:
            // $GNGGA,time,lat,N,lon,E,quality,...: quality 2 is differential.
            nav.ggaQuality = SmallNumber(SentenceField(view, 6));
            listener.ShowMeasuredValues(SentenceType::Gga, nav);
            break;
        case GnssSentence::Gsa:
            listener.ShowMeasuredValues(SentenceType::Gsa, nav);
            break;
        case GnssSentence::Rmc:
            listener.ShowMeasuredValues(SentenceType::Rmc, nav);
            break;
        case GnssSentence::Gns:  // position, altitude and time in one sentence
            listener.ShowMeasuredValues(SentenceType::Gga, nav);
            listener.ShowMeasuredValues(SentenceType::Rmc, nav);
            break;
        default:
            break;
    }
}

// $GLGSV,3,1,10,65,53,144,,66,58,305,32,...,1*7A
//  1 message count  2 message number  3 satellites in view of this talker (and signal)
void SystemsIntake::ShowSatellites(std::string_view text, NavState& nav, DecodeListener& listener) {
    const int count = SmallNumber(SentenceField(text, 1));
    const int number = SmallNumber(SentenceField(text, 2));
    const int inView = SmallNumber(SentenceField(text, 3));
    nav.gsvMessageCount = count;
    nav.gsvMessageNumber = number;
    Feed(text);
    // A complete group has changed what is in view; until then the slots stay.
    const bool groupEnd = number == count;
    const int filled = groupEnd ? FillChannels(gnss_.Satellites(), nav) : 0;
    listener.ShowMeasuredValues(SentenceType::Gsv, nav);
    if (inView == 0) {
        return;
    }
    if (const int row = MessageRowOf(SentenceType::Gsv, number); row > 0) {
        listener.ShowMessageRow(row, text.data());
    }
    // The rows follow once a group is complete, from every system's satellites.
    if (groupEnd && filled > 0) {
        const int messages = (filled + kRowsPerMessage - 1) / kRowsPerMessage;
        for (int message = 1; message <= messages; ++message) {
            listener.ShowSatelliteRows(message, messages, nav);
        }
    }
}

int SystemsIntake::FillChannels(const SatelliteTable& satellites, NavState& nav) {
    const std::vector<Channel> channels = Strongest(satellites.Entries());
    nav.satsInView = static_cast<std::int32_t>(channels.size());
    const std::size_t filled = std::min(channels.size(), nav.sats.size());
    for (std::size_t slot = 0; slot < nav.sats.size(); ++slot) {
        SatInView& sat = nav.sats[slot];
        if (slot < filled) {
            const Channel& channel = channels[slot];
            sat = {ListNumber(channel.id), channel.elevation, channel.azimuth,
                   static_cast<std::uint8_t>(std::clamp(channel.cno, 0, 255))};
        } else {
            sat = SatInView{};
        }
    }
    return static_cast<int>(filled);
}
