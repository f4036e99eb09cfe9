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

void DrawSatellite(Canvas& canvas, const PlotGeometry& geometry, const SkySatellite& satellite) {
    const Rgb colour = SystemColour(satellite.id.system);
    const SkyPoint point = SatellitePoint(geometry, satellite.elevation, satellite.azimuth);
    canvas.SetPenColour(colour);
    canvas.SetFillColour(satellite.used ? colour : kBlack);
    canvas.Ellipse(SatelliteDiscBox(geometry, point));
    canvas.SetFontSize(LabelFontSize(geometry));
    canvas.SetFontColour(satellite.used ? kBlack : colour);
    canvas.Text(PrnLabelCorner(geometry, point, satellite.id.svid),
                std::to_string(satellite.id.svid));
}

void DrawLegend(Canvas& canvas, const PlotGeometry& geometry,
                const std::vector<SkySatellite>& satellites) {
    const int fontSize = std::max(7, LabelFontSize(geometry) * 3 / 4);
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
    for (const SkySatellite& satellite : sky) {
        DrawSatellite(canvas, geometry, satellite);
    }
    DrawLegend(canvas, geometry, sky);
    canvas.SetFillColour(kBlack);
    const auto end = VelocityLineEnd(geometry, nav.speedKnots, nav.courseDeg, velocityScale);
    if (end) {
        canvas.SetPenColour(kYellow);
        canvas.Line({geometry.cx, geometry.cy}, *end);
    }
}
