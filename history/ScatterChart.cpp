#include "ScatterChart.h"

#include <QLineSeries>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>
#include <numbers>

#include "NiceNumbers.h"
#include "ScatterGrid.h"

namespace {

constexpr int kLeftMargin = 56;  // labels and the axis title
constexpr int kBottomMargin = 44;
constexpr int kMargin = 10;
constexpr int kCirclePoints = 96;
constexpr int kMostGridSteps = 6;

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
    east_ = MetresAxis("East (m)");
    north_ = MetresAxis("North (m)");
    plot->addAxis(east_, Qt::AlignBottom);
    plot->addAxis(north_, Qt::AlignLeft);
    fixes = new QScatterSeries;
    fixes->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    fixes->setMarkerSize(kCellPixels + 1);  // neighbouring cells touch
    fixes->setPen(Qt::NoPen);
    fixes->setBrush(QColor(31, 119, 180));
    cep50Circle = new QLineSeries;
    cep50Circle->setPen(QPen(QColor(255, 127, 14), 2.0));
    cep95Circle = new QLineSeries;
    cep95Circle->setPen(QPen(QColor(214, 39, 40), 2.0));
    for (QXYSeries* series : {static_cast<QXYSeries*>(fixes), static_cast<QXYSeries*>(cep50Circle),
                              static_cast<QXYSeries*>(cep95Circle)}) {
        plot->addSeries(series);
        series->attachAxis(east_);
        series->attachAxis(north_);
    }
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
    if (PlotArea(event->oldSize()).width() != PlotArea(event->size()).width()) {
        emit SideChanged();
    }
}

void ScatterChart::Show(std::span<const Deviation> deviations,
                        const std::optional<SurveyFigures>& figures) {
    const double halfSide = figures ? ScatterGrid::HalfSideFor(*figures) : 1.0;
    gridStep_ = NiceStep(2.0 * halfSide, kMostGridSteps);
    const int decimals = DecimalsFor(gridStep_);
    for (QValueAxis* axis : {east_, north_}) {
        axis->setRange(-halfSide, halfSide);
        axis->setTickInterval(gridStep_);
        axis->setLabelFormat(QString("%.%1f").arg(decimals));
    }
    const ScatterGrid grid(halfSide, std::max(1, Side() / kCellPixels));
    QList<QPointF> cells;
    for (const EnuOffset& centre : grid.Occupied(deviations)) {
        cells.append(QPointF(centre.east, centre.north));
    }
    fixes->replace(cells);
    cep50Circle->replace(figures ? Circle(figures->cep50) : QList<QPointF>());
    cep95Circle->replace(figures ? Circle(figures->cep95) : QList<QPointF>());
}
