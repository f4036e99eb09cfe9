#pragma once

#include <optional>

#include "Canvas.h"
#include "NavState.h"
#include "PlotGeometry.h"

// The sky plot: horizon and 45-degree circles, a cross, "N", one disc per satellite
// in view labelled with its PRN, and the course-and-speed line from the centre.

struct SkyPoint {
    double x = 0.0;
    double y = 0.0;
};

// Where a satellite lies: the zenith at the centre, the horizon on the outer circle,
// azimuth 0 straight up and 90 to the right.
SkyPoint SatellitePoint(const PlotGeometry& geometry, int elevation, int azimuth);
PixelBox SatelliteDiscBox(const PlotGeometry& geometry, SkyPoint point);
PixelPoint PrnLabelCorner(const PlotGeometry& geometry, SkyPoint point, int prn);

// How many slots to draw: the table has twelve, the report may count more.
int SlotsToDraw(int satsInView);

// The far end of the course-and-speed line; a speed equal to `velocityScale` (m/s)
// reaches the outer circle. No line when the scale is 0, which gives it no length,
// nor when speed or course is not a finite number. A line far longer than any window
// (a tiny scale) is shortened along its course.
std::optional<PixelPoint> VelocityLineEnd(const PlotGeometry& geometry, float speedKnots,
                                          float courseDeg, float velocityScale);

// Redraws the whole plot for a window of the given outer size. The fill colour is
// left as the drawing leaves it (black after the first disc), and the next redraw
// fills the circles with it.
void RenderSkyPlot(Canvas& canvas, int outerWidth, int outerHeight, const NavState& nav,
                   float velocityScale);
