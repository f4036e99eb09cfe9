#include "SystemsSkyPlot.h"

#include <algorithm>
#include <array>
#include <string>

#include "PlotFrame.h"
#include "SkyPlot.h"

namespace {

constexpr std::array<Rgb, kGnssSystemCount> kSystemColours = {{
    {0, 200, 0},      // GPS
    {170, 170, 170},  // SBAS
    {255, 64, 64},    // GLONASS
    {64, 160, 255},   // Galileo
    {255, 200, 0},    // BeiDou
    {200, 120, 255},  // QZSS
    {255, 128, 0},    // NavIC
}};

// A disc's diameter is the plot's divided by this, half the GPS plot's.
constexpr double kDiscsPerDiameter = 30.0;

// One disc per satellite: the signals of a satellite lie at one place in the sky.
struct SkySatellite {
    SatelliteId id;
    int elevation = 0;
    int azimuth = 0;
    bool used = false;
};

std::vector<SkySatellite> OnePerSatellite(const std::vector<SatelliteSignal>& signals) {
    std::vector<SkySatellite> satellites;
    for (const SatelliteSignal& signal : signals) {  // sorted by system and number
        if (!signal.elevation || !signal.azimuth) {
            continue;  // in view, but where is not known yet
        }
        if (satellites.empty() || satellites.back().id != signal.id) {
            satellites.push_back({signal.id, *signal.elevation, *signal.azimuth, false});
        }
        satellites.back().used = satellites.back().used || signal.used;
    }
    return satellites;
}

// Forty satellites share the plot: smaller discs than the GPS plot's, each with its number
// beside it in its system's colour, so that neighbours stay apart and legible.
void DrawSatellite(Canvas& canvas, const PlotGeometry& geometry, const SkySatellite& satellite,
                   int fontSize) {
    const Rgb colour = SystemColour(satellite.id.system);
    const SkyPoint point = SatellitePoint(geometry, satellite.elevation, satellite.azimuth);
    const double radius = geometry.d / kDiscsPerDiameter;
    canvas.SetPenColour(colour);
    canvas.SetFillColour(satellite.used ? colour : kBlack);
    canvas.Ellipse(BoxAround(point.x, point.y, radius));
    canvas.SetFillColour(kBlack);
    canvas.SetFontColour(colour);
    canvas.Text({TruncToPixel(point.x + radius + 1), TruncToPixel(point.y - fontSize)},
                std::to_string(satellite.id.svid));
}

int SmallFontSize(const PlotGeometry& geometry) {
    return std::max(7, LabelFontSize(geometry) * 2 / 3);
}

void DrawLegend(Canvas& canvas, const PlotGeometry& geometry,
                const std::vector<SkySatellite>& satellites) {
    const int fontSize = SmallFontSize(geometry);
    const int line = fontSize * 2;
    int top = 4;
    canvas.SetFontSize(fontSize);
    canvas.SetFillColour(kBlack);
    for (std::size_t s = 0; s < kGnssSystemCount; ++s) {
        const auto system = static_cast<GnssSystem>(s);
        const bool shown =
            std::any_of(satellites.begin(), satellites.end(),
                        [system](const auto& sat) { return sat.id.system == system; });
        if (!shown) {
            continue;
        }
        canvas.SetFontColour(SystemColour(system));
        canvas.Text({6, top}, GnssSystemName(system));
        top += line;
    }
}

}  // namespace

Rgb SystemColour(GnssSystem system) {
    return kSystemColours[static_cast<std::size_t>(system)];
}

void RenderSystemsSkyPlot(Canvas& canvas, int outerWidth, int outerHeight,
                          const std::vector<SatelliteSignal>& satellites, const NavState& nav,
                          float velocityScale) {
    const PlotGeometry geometry = ComputePlotGeometry(outerWidth, outerHeight);
    canvas.Clear(kBlack);
    canvas.SetFillColour(kBlack);
    DrawPlotFrame(canvas, geometry, kYellow, kGreen);
    const std::vector<SkySatellite> sky = OnePerSatellite(satellites);
    const int fontSize = SmallFontSize(geometry);
    canvas.SetFontSize(fontSize);
    for (const SkySatellite& satellite : sky) {
        DrawSatellite(canvas, geometry, satellite, fontSize);
    }
    DrawLegend(canvas, geometry, sky);
    canvas.SetFillColour(kBlack);
    const auto end = VelocityLineEnd(geometry, nav.speedKnots, nav.courseDeg, velocityScale);
    if (end) {
        canvas.SetPenColour(kYellow);
        canvas.Line({geometry.cx, geometry.cy}, *end);
    }
}
