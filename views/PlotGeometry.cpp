#include "PlotGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPixelLimit = 1073741824.0;  // 2^30

}  // namespace

PlotGeometry ComputePlotGeometry(int outerWidth, int outerHeight) {
    PlotGeometry geometry;
    geometry.d = static_cast<float>(std::min(0.8 * outerWidth, 0.8 * outerHeight));
    const double d = geometry.d;
    geometry.cx = TruncToPixel(0.5 * (0.8 * outerWidth));
    geometry.cy = TruncToPixel(0.5 * d + 0.05 * d);
    return geometry;
}

int TruncToPixel(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

PixelBox BoxAround(double x, double y, double half) {
    return {{TruncToPixel(x - half), TruncToPixel(y - half)},
            {TruncToPixel(x + half), TruncToPixel(y + half)}};
}

PixelBox OuterCircleBox(const PlotGeometry& geometry) {
    return BoxAround(geometry.cx, geometry.cy, geometry.d / 2.0);
}

PixelBox InnerCircleBox(const PlotGeometry& geometry) {
    return BoxAround(geometry.cx, geometry.cy, geometry.d / 4.0);
}

PixelBox HorizontalCrossLine(const PlotGeometry& geometry) {
    const double half = geometry.d / 2.0;
    return {{TruncToPixel(geometry.cx - half), geometry.cy},
            {TruncToPixel(geometry.cx + half), geometry.cy}};
}

PixelBox VerticalCrossLine(const PlotGeometry& geometry) {
    const double half = geometry.d / 2.0;
    return {{geometry.cx, TruncToPixel(geometry.cy - half)},
            {geometry.cx, TruncToPixel(geometry.cy + half)}};
}

PixelPoint NorthMarkCorner(const PlotGeometry& geometry) {
    const double d = geometry.d;
    return {TruncToPixel(geometry.cx - d / 60.0), TruncToPixel(geometry.cy - d / 2.0 - d / 20.0)};
}

int LabelFontSize(const PlotGeometry& geometry) {
    return TruncToPixel(6.0 * geometry.d / 130.0);
}
