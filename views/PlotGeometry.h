#pragma once

#include "CanvasTypes.h"

// The circle layout shared by the sky plot and the map, from the window's outer
// size (frame and caption included). Reals become pixels by truncation toward zero.
struct PlotGeometry {
    float d = 0.0f;  // diameter of the outer circle
    int cx = 0;      // centre of the circles
    int cy = 0;
};

PlotGeometry ComputePlotGeometry(int outerWidth, int outerHeight);

// Truncates toward zero; values beyond what a painter can take are held at
// +-2^30 and anything not finite gives 0, so far-off shapes are clipped, never undefined.
int TruncToPixel(double value);

// The box trunc(x - half), trunc(y - half) .. trunc(x + half), trunc(y + half).
PixelBox BoxAround(double x, double y, double half);

// The outer circle (diameter d) and the inner one (diameter d/2).
PixelBox OuterCircleBox(const PlotGeometry& geometry);
PixelBox InnerCircleBox(const PlotGeometry& geometry);

// The two lines of the cross through the centre, each as wide as the outer circle.
PixelBox HorizontalCrossLine(const PlotGeometry& geometry);
PixelBox VerticalCrossLine(const PlotGeometry& geometry);

// The top-left corner of the "N" above the outer circle, and the font size of the labels.
PixelPoint NorthMarkCorner(const PlotGeometry& geometry);
int LabelFontSize(const PlotGeometry& geometry);
