#pragma once

#include <array>
#include <string>

#include "AppState.h"
#include "Canvas.h"
#include "MapCentre.h"
#include "NavState.h"
#include "PlotGeometry.h"
#include "TrackHistory.h"

// The map's drawing and track keeping, apart from any window: the range rings
// around the centre and the track's positions as discs, newest red, older blue.
class MapPlotter {
public:
    // Labels of the scale steps of AppState::mapScale, blank-padded to six characters.
    static constexpr std::array<const char*, 6> kScaleLabels{"50m   ", "100m  ", "500m  ",
                                                             "1Km   ", "5Km   ", "10Km  "};

    MapPlotter(AppState& state, TrackHistory& track, MapCentre& centre);

    // Appends the current position; the first valid fix after a reset becomes the
    // centre, and each later one draws the previous point blue and itself red.
    void PlotFix(Canvas& canvas, int outerWidth, int outerHeight, const NavState& nav);

    // Clears the picture and draws the rings, cross and labels, then the whole track
    // once it has three points or more.
    void Redraw(Canvas& canvas, int outerWidth, int outerHeight);

    // Clears the picture and forgets the track; the next valid fix is the new centre.
    void SetCentre(Canvas& canvas);

    // Forgets the track and the centre's validity.
    static void ResetTrack(AppState& state);

    int ZoomIndex() const;

    const TrackHistory& Track() const { return track_; }
    const MapCentre& Centre() const { return centre_; }

private:
    float ScaleMetres() const;
    void DrawFrame(Canvas& canvas, const PlotGeometry& geometry) const;
    void DrawPoint(Canvas& canvas, const PlotGeometry& geometry, std::int32_t index,
                   Rgb colour) const;

    AppState& state_;
    TrackHistory& track_;
    MapCentre& centre_;
};
