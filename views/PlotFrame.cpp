#include "PlotFrame.h"

void DrawPlotFrame(Canvas& canvas, const PlotGeometry& geometry, Rgb lineColour, Rgb northColour) {
    canvas.SetPenColour(lineColour);
    canvas.Ellipse(OuterCircleBox(geometry));
    canvas.Ellipse(InnerCircleBox(geometry));
    const PixelBox across = HorizontalCrossLine(geometry);
    canvas.Line(across.topLeft, across.bottomRight);
    const PixelBox down = VerticalCrossLine(geometry);
    canvas.Line(down.topLeft, down.bottomRight);
    canvas.SetFontSize(LabelFontSize(geometry));
    canvas.SetFontColour(northColour);
    canvas.Text(NorthMarkCorner(geometry), "N");
}
