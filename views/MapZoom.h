#pragma once

#include <array>
#include <cstdint>

#include "AppState.h"
#include "MapCentre.h"
#include "TrackHistory.h"

// The map's zoom steps: the six of AppState::mapScale, then wider ones for drives and
// flights that leave 10 km behind. An index counts through all of them.
namespace MapZoom {

// Outer-ring distances of the steps after AppState::mapScale, in metres, and their labels.
inline constexpr std::array<float, 3> kWideScales{50000.0f, 100000.0f, 500000.0f};
inline constexpr std::array<const char*, 3> kWideLabels{"50Km  ", "100Km ", "500Km "};

inline constexpr int kStepCount =
    static_cast<int>(std::tuple_size_v<decltype(AppState::mapScale)> + kWideScales.size());

// `index` held to 0..kStepCount-1.
int Clamp(int index);

// The outer ring's distance and the label of step `index` (held to the steps there are).
float ScaleMetres(const AppState& state, int index);
const char* Label(int index);

// One step nearer (in) or farther (out), stopping at the ends.
int In(int index);
int Out(int index);

// The smallest step whose outer ring holds every stored position around the centre;
// `current` when no position is stored or no centre is set. Positions at exactly 0, 0
// metres are what a receiver without a position reports and are passed over.
int HoldingTrack(const AppState& state, const TrackHistory& track, const MapCentre& centre,
                 int current);

}  // namespace MapZoom
