#pragma once

#include <vector>

#include "Canvas.h"
#include "GnssEpoch.h"
#include "NavState.h"

// The sky plot of every satellite system: the plot's circles, cross, "N" and course-and-speed
// line as for the GPS talker's satellites, with one disc per satellite in the colour of its
// system, filled when the fix uses it and outlined when not, labelled with its number within
// the system; and a legend of the systems shown in the top-left corner.

// The colour a system's satellites are drawn in, on the plot's black.
Rgb SystemColour(GnssSystem system);

void RenderSystemsSkyPlot(Canvas& canvas, int outerWidth, int outerHeight,
                          const std::vector<SatelliteSignal>& satellites, const NavState& nav,
                          float velocityScale);
