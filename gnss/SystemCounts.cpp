#include "SystemCounts.h"

SystemCounts CountBySystem(const GnssEpoch& epoch) {
    SystemCounts counts{};
    // The list is sorted by satellite, its signals next to each other.
    const SatelliteId* previous = nullptr;
    for (const SatelliteSignal& signal : epoch.satellites) {
        if (previous == nullptr || *previous != signal.id) {
            ++counts[static_cast<std::size_t>(signal.id.system)].inView;
        }
        previous = &signal.id;
    }
    for (const SatelliteId& id : epoch.usedSatellites) {
        ++counts[static_cast<std::size_t>(id.system)].used;
    }
    return counts;
}

std::string SystemSummary(const SystemCounts& counts) {
    std::string summary;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i].inView == 0 && counts[i].used == 0) {
            continue;
        }
        if (!summary.empty()) {
            summary += ", ";
        }
        summary += GnssSystemName(static_cast<GnssSystem>(i));
        summary += ' ' + std::to_string(counts[i].used) + '/' + std::to_string(counts[i].inView);
    }
    return summary;
}
