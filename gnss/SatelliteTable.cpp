#include "SatelliteTable.h"

#include <algorithm>
#include <tuple>

#include "SatelliteNumbering.h"

namespace {

constexpr int kMillisecondsPerDay = 86'400'000;

auto KeyOf(const SatelliteId& id, int signalId) {
    return std::tuple(id, signalId);
}

bool TooOld(const SatelliteTable::Entry& entry, long long epoch, std::optional<UtcTime> time) {
    if (time && entry.seenTime) {
        // Modulo a day: the age stays right across midnight, and a jump back (a log played
        // again from its start) makes everything old.
        int age = (time->millisecondOfDay - entry.seenTime->millisecondOfDay) % kMillisecondsPerDay;
        if (age < 0) {
            age += kMillisecondsPerDay;
        }
        return age > SatelliteTable::kMaxAgeSeconds * 1000;
    }
    return epoch - entry.seenEpoch > SatelliteTable::kMaxAgeEpochs;
}

}  // namespace

void SatelliteTable::Replace(const GsvGroup& group, long long epoch) {
    std::erase_if(entries_, [&group](const Entry& entry) {
        return entry.source == group.talker && entry.signal.signalId == group.signalId;
    });
    const SatelliteNumbering::Scheme scheme = SatelliteNumbering::ForTalker(group.talker);
    for (const GsvBlock& block : group.blocks) {
        const std::optional<SatelliteId> id = SatelliteNumbering::Identify(scheme, block.nmea);
        if (!id) {
            continue;
        }
        const auto key = KeyOf(*id, group.signalId);
        const auto at = std::lower_bound(
            entries_.begin(), entries_.end(), key, [](const Entry& entry, const auto& wanted) {
                return KeyOf(entry.signal.id, entry.signal.signalId) < wanted;
            });
        const bool present =
            at != entries_.end() && KeyOf(at->signal.id, at->signal.signalId) == key;
        if (!present && entries_.size() >= kCapacity) {
            continue;
        }
        Entry entry;
        entry.signal.id = *id;
        entry.signal.nmea = block.nmea;
        entry.signal.signalId = group.signalId;
        entry.signal.elevation = block.elevation;
        entry.signal.azimuth = block.azimuth;
        entry.signal.cno = block.cno;
        entry.source = group.talker;
        entry.seenEpoch = epoch;
        if (present) {
            *at = entry;  // another talker's report of the same signal: the newest counts
        } else {
            entries_.insert(at, entry);
        }
    }
}

void SatelliteTable::EndEpoch(long long epoch, std::optional<UtcTime> time) {
    for (Entry& entry : entries_) {
        if (entry.seenEpoch == epoch) {
            entry.seenTime = time;
        }
    }
    std::erase_if(entries_,
                  [epoch, time](const Entry& entry) { return TooOld(entry, epoch, time); });
}
