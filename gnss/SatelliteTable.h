#pragma once

#include <optional>
#include <vector>

#include "GnssEpoch.h"
#include "GsvGroupAssembler.h"

// The satellites in view, one entry per satellite and signal, each as the latest complete
// GSV group of its talker and signal reported it. An entry that no group has reported for
// kMaxAgeSeconds of the data's own UTC time (kMaxAgeEpochs epochs where there is no time)
// leaves; wall-clock time plays no part, so playback at any speed ages the same.
class SatelliteTable {
public:
    static constexpr std::size_t kCapacity = 256;
    // Longer than the five seconds between GSV groups of receivers that send them seldom.
    static constexpr int kMaxAgeSeconds = 6;
    static constexpr long long kMaxAgeEpochs = 6;

    struct Entry {
        SatelliteSignal signal;
        Talker source = Talker::GP;
        long long seenEpoch = 0;
        std::optional<UtcTime> seenTime;  // set when that epoch ends, if it had a time
    };

    // Replaces what `group`'s talker and signal reported before with the group's satellites,
    // reported in epoch `epoch`. Numbers that mean no satellite are left out, and satellites
    // beyond kCapacity entries.
    void Replace(const GsvGroup& group, long long epoch);

    // Epoch `epoch` ended at `time`: dates what it reported, and drops what is too old.
    void EndEpoch(long long epoch, std::optional<UtcTime> time);

    // Sorted by system, number and signal.
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};
