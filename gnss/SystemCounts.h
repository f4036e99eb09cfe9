#pragma once

#include <array>
#include <string>

#include "GnssEpoch.h"

// Satellites (not signals) of one system in an epoch.
struct SystemCount {
    int inView = 0;
    int used = 0;
};

using SystemCounts = std::array<SystemCount, kGnssSystemCount>;

// In view: the satellites with a signal in the epoch's list; used: those its GSA named.
SystemCounts CountBySystem(const GnssEpoch& epoch);

// "GPS 9/12, GLONASS 6/8, Galileo 5/7, BeiDou 7/10": used/in view of every system with a
// satellite in view or used, in the order of GnssSystem; empty when there is none.
std::string SystemSummary(const SystemCounts& counts);
