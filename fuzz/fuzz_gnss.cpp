// The decoder of every satellite system fed arbitrary sentence texts, one per input line.
// After each sentence the satellites in view and the epochs are checked: within the table's
// capacity, every number within its system's range, every value within its field's. The
// same lines go through the intake's "All satellite systems" step, whose navigation record
// must stay what the views can show.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "FuzzCheck.h"
#include "GnssDecoder.h"
#include "SystemCounts.h"
#include "SystemsIntake.h"

namespace {

void CheckId(const SatelliteId& id) {
    const SvidRange range = SvidRangeOf(id.system);
    FUZZ_CHECK(id.svid >= range.first && id.svid <= range.last);
}

void CheckReal(const std::optional<double>& value, double low, double high) {
    FUZZ_CHECK(!value || (std::isfinite(*value) && *value >= low && *value <= high));
}

void CheckEpoch(const GnssEpoch& epoch) {
    FUZZ_CHECK(epoch.fix == 0 || epoch.fix == 2 || epoch.fix == 3);
    FUZZ_CHECK(epoch.latitude.has_value() == (epoch.fix != 0));
    FUZZ_CHECK(epoch.longitude.has_value() == epoch.latitude.has_value());
    CheckReal(epoch.latitude, -90.0, 90.0);
    CheckReal(epoch.longitude, -180.0, 180.0);
    CheckReal(epoch.altitude, -HUGE_VAL, HUGE_VAL);
    CheckReal(epoch.courseDeg, 0.0, 360.0);
    for (const auto& real : {epoch.speedKnots, epoch.pdop, epoch.hdop, epoch.vdop}) {
        CheckReal(real, 0.0, HUGE_VAL);
    }
    FUZZ_CHECK(!epoch.time ||
               (epoch.time->millisecondOfDay >= 0 && epoch.time->millisecondOfDay < 86'401'000));
    FUZZ_CHECK(epoch.used >= 0);
    FUZZ_CHECK(std::is_sorted(epoch.usedSatellites.begin(), epoch.usedSatellites.end()));
    FUZZ_CHECK(std::adjacent_find(epoch.usedSatellites.begin(), epoch.usedSatellites.end()) ==
               epoch.usedSatellites.end());
    for (const SatelliteId& id : epoch.usedSatellites) {
        CheckId(id);
    }
    FUZZ_CHECK(epoch.satellites.size() <= SatelliteTable::kCapacity);
    for (std::size_t i = 0; i < epoch.satellites.size(); ++i) {
        const SatelliteSignal& s = epoch.satellites[i];
        CheckId(s.id);
        FUZZ_CHECK(s.nmea > 0 && s.signalId >= -1 && s.signalId <= 15);
        FUZZ_CHECK(!s.elevation || (*s.elevation >= -90 && *s.elevation <= 90));
        FUZZ_CHECK(!s.azimuth || (*s.azimuth >= 0 && *s.azimuth <= 359));
        FUZZ_CHECK(!s.cno || (*s.cno >= 0 && *s.cno <= 99));
        FUZZ_CHECK(!s.used || (s.cno && *s.cno > 0));
        if (i > 0) {
            const SatelliteSignal& p = epoch.satellites[i - 1];
            FUZZ_CHECK(std::tie(p.id, p.signalId) < std::tie(s.id, s.signalId));
        }
    }
    int inView = 0;
    for (const SystemCount& count : CountBySystem(epoch)) {
        inView += count.inView;
    }
    FUZZ_CHECK(inView <= static_cast<int>(epoch.satellites.size()));
}

void CheckNav(const NavState& nav) {
    FUZZ_CHECK(nav.latitude >= 0.0f && nav.latitude <= 90.0f);
    FUZZ_CHECK(nav.longitude >= 0.0f && nav.longitude <= 180.0f);
    FUZZ_CHECK(nav.satsInView >= 0 && nav.satsInView <= int(SatelliteTable::kCapacity));
    FUZZ_CHECK(nav.fixAvailable == (nav.fixMode >= 2 ? 1 : 0));
    for (const SatInView& sat : nav.sats) {
        FUZZ_CHECK(sat.prn >= 0 && sat.prn < 600);
    }
}

// Frames a line as the intake does: its text after "$", cut to the sentence buffer.
void DecodeInIntake(SystemsIntake& intake, NavState& nav, std::string_view line) {
    SentenceBuffer sentence;
    const std::size_t length = std::min<std::size_t>(line.size(), SentenceBuffer::kMaxText - 1);
    std::copy_n(line.data(), length, sentence.bytes);
    sentence.bytes[length] = '\n';
    DecodeListener listener;
    intake.Decode(sentence, nav, listener);
    CheckNav(nav);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GnssDecoder decoder;
    SystemsIntake intake;
    intake.SetSystems(SatelliteSystems::All);
    NavState nav;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        if (decoder.Decode(input.substr(0, end))) {
            CheckEpoch(decoder.LastEpoch());
        }
        FUZZ_CHECK(decoder.Satellites().Entries().size() <= SatelliteTable::kCapacity);
        CheckEpoch(decoder.Current());
        DecodeInIntake(intake, nav, input.substr(0, end));
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    if (decoder.Finish()) {
        CheckEpoch(decoder.LastEpoch());
    }
    return 0;
}
