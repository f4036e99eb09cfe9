#include "SkyPlot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "PlotFrame.h"

namespace {

constexpr double kPi = 3.1415926;  // the plot's own constant, kept for identical pixels
constexpr double kMetresPerSecondPerKnot = 1.9438;
// Far beyond any screen, and short enough that neither end coordinate meets the pixel
// limit, where each would be held on its own and the line would turn.
constexpr double kLongestLine = 1 << 24;

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}

void ClearToBlack(Canvas& canvas, int outerWidth, int outerHeight) {
    canvas.SetPenColour(kBlack);
    for (int x = 0; x <= outerWidth; ++x) {
        canvas.Line({x, 0}, {x, outerHeight});
    }
}

void DrawSatellite(Canvas& canvas, const PlotGeometry& geometry, const SatInView& sat, Rgb colour) {
    const SkyPoint point = SatellitePoint(geometry, sat.elevation, sat.azimuth);
    canvas.SetPenColour(colour);
    canvas.SetFillColour(colour);
    canvas.Ellipse(SatelliteDiscBox(geometry, point));
    canvas.SetFontSize(LabelFontSize(geometry));
    canvas.SetFontColour(kBlack);
    canvas.Text(PrnLabelCorner(geometry, point, sat.prn), std::to_string(sat.prn));
    canvas.SetFillColour(kBlack);
    canvas.SetPenColour(kYellow);
}

}  // namespace

SkyPoint SatellitePoint(const PlotGeometry& geometry, int elevation, int azimuth) {
    const long long zenithAngle = 90LL - elevation;
    const float perDegree = 0.5f * geometry.d / 90.0f;
    const double rho = static_cast<double>(zenithAngle) * perDegree;
    const double theta = Radians(azimuth);
    return {geometry.cx + std::sin(theta) * rho, geometry.cy - std::cos(theta) * rho};
}

PixelBox SatelliteDiscBox(const PlotGeometry& geometry, SkyPoint point) {
    return BoxAround(point.x, point.y, geometry.d / 15.0);
}

PixelPoint PrnLabelCorner(const PlotGeometry& geometry, SkyPoint point, int prn) {
    // Two digits need the larger shift to sit on the disc.
    const int offset = TruncToPixel(prn < 10 ? geometry.d / 60.0 : geometry.d / 23.0);
    return {TruncToPixel(point.x - offset), TruncToPixel(point.y - geometry.d / 20.0)};
}

int SlotsToDraw(int satsInView) {
    return std::clamp(satsInView, 0, NavState::kChannels);
}

std::optional<PixelPoint> VelocityLineEnd(const PlotGeometry& geometry, float speedKnots,
                                          float courseDeg, float velocityScale) {
    if (velocityScale == 0.0f) {
        return std::nullopt;
    }
    const double speed = speedKnots / kMetresPerSecondPerKnot;
    const double phi = Radians(courseDeg);
    double length = speed * (0.5 * geometry.d / velocityScale);
    if (!std::isfinite(length) || !std::isfinite(phi)) {
        return std::nullopt;  // a speed or course that is no number
    }
    length = std::clamp(length, -kLongestLine, kLongestLine);
    return PixelPoint{TruncToPixel(geometry.cx + std::sin(phi) * length),
                      TruncToPixel(geometry.cy - std::cos(phi) * length)};
}

void RenderSkyPlot(Canvas& canvas, int outerWidth, int outerHeight, const NavState& nav,
                   float velocityScale) {
    const PlotGeometry geometry = ComputePlotGeometry(outerWidth, outerHeight);
    ClearToBlack(canvas, outerWidth, outerHeight);
    DrawPlotFrame(canvas, geometry, kYellow, kGreen);
    const Rgb discColour = nav.fixAvailable == 1 ? kTeal : kRed;
    const int slots = SlotsToDraw(nav.satsInView);
    for (int slot = 0; slot < slots; ++slot) {
        // Number 0 is no satellite: a block whose number field was empty.
        if (nav.sats[slot].prn != 0) {
            DrawSatellite(canvas, geometry, nav.sats[slot], discColour);
        }
    }
    const auto end = VelocityLineEnd(geometry, nav.speedKnots, nav.courseDeg, velocityScale);
    if (end) {
        canvas.SetPenColour(kYellow);
        canvas.Line({geometry.cx, geometry.cy}, *end);
    }
}
