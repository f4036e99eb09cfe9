#pragma once

#include "Canvas.h"
#include "CanvasTypes.h"
#include "PlotGeometry.h"

// What the sky plot and the map share: the two rings, the cross and the "N" above the
// outer ring, in the plot's own colours.
void DrawPlotFrame(Canvas& canvas, const PlotGeometry& geometry, Rgb lineColour, Rgb northColour);
