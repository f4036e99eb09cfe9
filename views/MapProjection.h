#pragma once

#include <optional>

#include "CanvasTypes.h"
#include "MapCentre.h"
#include "NavState.h"
#include "PlotGeometry.h"
#include "TrackPoint.h"

// Positions on a sphere as metres east and north, and metres as map pixels.

inline constexpr float EarthRadius = 6371007.0f;  // metres

// Signed degrees: north and east positive.
TrackPoint PositionToMetres(double latitude, double longitude);

// The navigation record's position, whose degrees are unsigned with separate
// hemisphere letters: "S" and "W" count negative.
TrackPoint NavPositionToMetres(const NavState& nav);

// The disc of `point` on a map whose outer circle stands for `scaleMetres`; none
// when the offsets give no finite pixel position (a zero scale).
std::optional<PixelBox> MapDiscBox(const PlotGeometry& geometry, const MapCentre& centre,
                                   TrackPoint point, float scaleMetres);
