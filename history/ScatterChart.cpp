#include "ScatterChart.h"

#include <QFontMetrics>
#include <QGraphicsPixmapItem>
#include <QLineSeries>
#include <QPainter>
#include <QResizeEvent>
#include <QValueAxis>
#include <cmath>
#include <numbers>

#include "NiceNumbers.h"
#include "ScatterGrid.h"
#include "TimeChart.h"

namespace {

constexpr int kLeftMargin = 56;  // labels and the axis title
constexpr int kBottomMargin = 44;
constexpr int kMargin = 10;
constexpr int kCirclePoints = 96;
constexpr int kMostGridSteps = 6;
constexpr int kCellSquare = ScatterChart::kCellPixels + 1;  // neighbouring cells touch
const QColor kFixColour(31, 119, 180);
// Qt Charts stacks its grid at 2, its axes at 3 and its series at 4: the fixes go over the
// grid and under the circles.
constexpr double kFixesZ = 2.5;

QList<QPointF> Circle(double radius) {
    QList<QPointF> points;
    points.reserve(kCirclePoints + 1);
    for (int i = 0; i <= kCirclePoints; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / kCirclePoints;
        points.append(QPointF(radius * std::cos(angle), radius * std::sin(angle)));
    }
    return points;
}

QValueAxis* MetresAxis(const char* title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);  // a grid line through the reference
    return axis;
}

}  // namespace

ScatterChart::ScatterChart(QWidget* parent) : QChartView(new QChart, parent) {
    QChart* plot = chart();
    plot->setMargins(QMargins());
    plot->setBackgroundRoundness(0);
    plot->legend()->hide();
    setBackgroundBrush(Qt::white);
    setFrameShape(QFrame::NoFrame);  // the plot area is placed in the widget's own pixels
    east_ = MetresAxis("East (m)");
    north_ = MetresAxis("North (m)");
    plot->addAxis(east_, Qt::AlignBottom);
    plot->addAxis(north_, Qt::AlignLeft);
    cep50Circle = new QLineSeries;
    cep50Circle->setPen(QPen(QColor(255, 127, 14), 2.0));
    cep95Circle = new QLineSeries;
    cep95Circle->setPen(QPen(QColor(214, 39, 40), 2.0));
    for (QLineSeries* series : {cep50Circle, cep95Circle}) {
        plot->addSeries(series);
        series->attachAxis(east_);
        series->attachAxis(north_);
    }
    fixes = new QGraphicsPixmapItem(plot);
    fixes->setZValue(kFixesZ);
    setMinimumSize(200, 200);
    Show({}, std::nullopt);
}

QRectF ScatterChart::PlotArea(QSize size) const {
    const int side = std::max(
        1, std::min(size.width() - kLeftMargin - kMargin, size.height() - kMargin - kBottomMargin));
    const int left = kLeftMargin + (size.width() - kLeftMargin - kMargin - side) / 2;
    return QRectF(left, kMargin, side, side);
}

int ScatterChart::Side() const {
    return static_cast<int>(PlotArea(size()).width());
}

void ScatterChart::resizeEvent(QResizeEvent* event) {
    chart()->setPlotArea(PlotArea(event->size()));  // square, before the view lays it out
    QChartView::resizeEvent(event);
    fixes->setPos(PlotArea(event->size()).topLeft());
    if (PlotArea(event->oldSize()).width() != PlotArea(event->size()).width()) {
        emit SideChanged();
    }
}

void ScatterChart::DrawFixes(std::span<const Deviation> deviations, double halfSide) {
    const int side = Side();
    const int cells = std::max(1, side / kCellPixels);
    const ScatterGrid grid(halfSide, cells);
    const std::vector<EnuOffset> centres = grid.Occupied(deviations);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const double pixelsPerMetre = side / (2.0 * halfSide);
    for (const EnuOffset& centre : centres) {
        const int x = static_cast<int>((centre.east + halfSide) * pixelsPerMetre);
        const int y = static_cast<int>((halfSide - centre.north) * pixelsPerMetre);
        painter.fillRect(x - kCellSquare / 2, y - kCellSquare / 2, kCellSquare, kCellSquare,
                         kFixColour);
    }
    painter.end();
    fixes->setPixmap(QPixmap::fromImage(image));
    fixes->setPos(PlotArea(size()).topLeft());
}

void ScatterChart::Show(std::span<const Deviation> deviations,
                        const std::optional<SurveyFigures>& figures) {
    const double rounded = figures ? ScatterGrid::HalfSideFor(*figures) : 1.0;
    gridStep_ = NiceStep(2.0 * rounded, kMostGridSteps);
    // The chart hides a label that comes near the top of a fixed plot area: both axes go on
    // a label's height beyond the round half side, so that its marks keep their labels and
    // the scale stays the same both ways.
    const double headroom = QFontMetrics(north_->labelsFont()).height();
    const double side = Side();
    const double halfSide =
        side > 2.0 * headroom ? rounded * side / (side - 2.0 * headroom) : rounded;
    const int decimals = DecimalsFor(gridStep_);
    for (QValueAxis* axis : {east_, north_}) {
        TimeChart::SetAxisRange(*axis, -halfSide, halfSide, gridStep_);
        axis->setLabelFormat(QString("%.%1f").arg(decimals));
    }
    DrawFixes(deviations, halfSide);
    cep50Circle->replace(figures ? Circle(figures->cep50) : QList<QPointF>());
    cep95Circle->replace(figures ? Circle(figures->cep95) : QList<QPointF>());
}
