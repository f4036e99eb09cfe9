#include "MapPlotter.h"

#include <algorithm>
#include <cmath>

#include "MapProjection.h"
#include "MapZoom.h"
#include "PlotFrame.h"

MapPlotter::MapPlotter(AppState& state, TrackHistory& track, MapCentre& centre)
    : state_(state), track_(track), centre_(centre) {}

void MapPlotter::ResetTrack(AppState& state) {
    state.mapPointCount = 0;
    state.mapCentreSet = 0;
}

int MapPlotter::ZoomIndex() const {
    return MapZoom::Clamp(state_.mapZoomIndex);
}

float MapPlotter::ScaleMetres() const {
    return MapZoom::ScaleMetres(state_, ZoomIndex());
}

void MapPlotter::DrawPoint(Canvas& canvas, const PlotGeometry& geometry, std::int32_t index,
                           Rgb colour) const {
    const auto box =
        MapDiscBox(geometry, centre_, track_.At(state_.mapPointCount, index), ScaleMetres());
    if (!box) {
        return;
    }
    canvas.SetPenColour(colour);
    canvas.SetFillColour(colour);
    canvas.Ellipse(*box);
}

void MapPlotter::PlotFix(Canvas& canvas, int outerWidth, int outerHeight, const NavState& nav) {
    const PlotGeometry geometry = ComputePlotGeometry(outerWidth, outerHeight);
    const TrackPoint point = NavPositionToMetres(nav);
    track_.Append(state_.mapPointCount, point);
    // A zero longitude is what a receiver without a position reports. A position
    // that is no number must not become the centre, or no later point could be placed.
    if (nav.fixAvailable != 1 || nav.longitude == 0.0f || !std::isfinite(point.east) ||
        !std::isfinite(point.north)) {
        return;
    }
    if (state_.mapCentreSet == 0) {
        centre_.east = point.east;
        centre_.north = point.north;
        state_.mapCentreSet = 1;
        return;
    }
    const std::int32_t count = state_.mapPointCount;
    if (count >= 2) {
        DrawPoint(canvas, geometry, count - 2, kBlue);
    }
    DrawPoint(canvas, geometry, count - 1, kRed);
    canvas.SetFillColour(kWhite);
}

void MapPlotter::DrawFrame(Canvas& canvas, const PlotGeometry& geometry) const {
    DrawPlotFrame(canvas, geometry, kTeal, kRed);
    // The scale label at the right end of the horizontal line, in the same font.
    canvas.Text(HorizontalCrossLine(geometry).bottomRight, MapZoom::Label(ZoomIndex()));
}

void MapPlotter::Redraw(Canvas& canvas, int outerWidth, int outerHeight) {
    const PlotGeometry geometry = ComputePlotGeometry(outerWidth, outerHeight);
    canvas.Clear(kWhite);
    // The rings are outlines on the white picture: a white fill shows as none.
    canvas.SetFillColour(kWhite);
    DrawFrame(canvas, geometry);
    const std::int32_t count = TrackHistory::InUse(state_.mapPointCount);
    if (count < 3) {
        return;
    }
    for (std::int32_t index = 0; index < count; ++index) {
        DrawPoint(canvas, geometry, index, index == count - 1 ? kRed : kBlue);
        canvas.SetFillColour(kWhite);
    }
}

void MapPlotter::SetCentre(Canvas& canvas) {
    canvas.Clear(kWhite);
    ResetTrack(state_);
}
