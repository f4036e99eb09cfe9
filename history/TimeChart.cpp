#include "TimeChart.h"

#include <QCategoryAxis>
#include <QFontMetrics>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "TimeTicks.h"

namespace {

constexpr int kTopMargin = 4;
constexpr int kBottomMargin = 8;
constexpr int kTimeLabelsHeight = 22;
constexpr int kPixelsPerTimeLabel = 90;  // "12:34:56" and room around it

}  // namespace

TimeChart::TimeChart(bool timeLabels, QWidget* parent)
    : QChartView(new QChart, parent), timeLabels_(timeLabels) {
    QChart* plot = chart();
    plot->setMargins(QMargins());
    plot->setBackgroundRoundness(0);
    plot->legend()->hide();  // the views name the series above the chart
    // With the plot area fixed the chart's own background does not follow the widget's size.
    setBackgroundBrush(Qt::white);
    setFrameShape(QFrame::NoFrame);  // the plot area is placed in the widget's own pixels
    time_ = new QCategoryAxis;
    time_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time_->setLabelsVisible(timeLabels);
    time_->setStartValue(-1.0);  // a mark may fall on the first column
    values_ = new QValueAxis;
    values_->setTickType(QValueAxis::TicksDynamic);
    values_->setTickAnchor(0.0);
    plot->addAxis(time_, Qt::AlignBottom);
    plot->addAxis(values_, Qt::AlignLeft);
    SetValueRange(0.0, 1.0, 1.0, 0);
    setMinimumHeight(60);
}

QLineSeries* TimeChart::AddSeries(const QColor& colour) {
    auto* series = new QLineSeries;
    // A one-pixel pen is drawn without the outline a wider one needs, several times faster.
    series->setPen(QPen(colour, 1.0));
    chart()->addSeries(series);
    series->attachAxis(time_);
    series->attachAxis(values_);
    return series;
}

void TimeChart::RemoveSeries(QLineSeries* series) {
    chart()->removeSeries(series);
    delete series;
}

QRectF TimeChart::PlotArea(QSize size) const {
    const int bottom = timeLabels_ ? kTimeLabelsHeight : kBottomMargin;
    return QRectF(kLeftMargin, kTopMargin, std::max(1, size.width() - kLeftMargin - kRightMargin),
                  std::max(1, size.height() - kTopMargin - bottom));
}

int TimeChart::Columns() const {
    return static_cast<int>(PlotArea(size()).width());
}

void TimeChart::resizeEvent(QResizeEvent* event) {
    // Fixed before the view lays the chart out for the new size.
    chart()->setPlotArea(PlotArea(event->size()));
    QChartView::resizeEvent(event);
    SetTimeWindow(window_);
    SetValueRange(range_.first, range_.second, values_->tickInterval(), decimals_);
    if (PlotArea(event->oldSize()).width() != PlotArea(event->size()).width()) {
        emit ColumnsChanged();
    }
}

void TimeChart::SetTimeWindow(TimeWindow window) {
    window_ = window;
    const int columns = Columns();
    time_->setRange(0.0, columns);
    for (const QString& label : time_->categoriesLabels()) {
        time_->remove(label);
    }
    if (window.Empty()) {
        return;
    }
    const double perSecond = static_cast<double>(columns) / static_cast<double>(window.Seconds());
    for (const TimeTick& tick : TimeTicks(window, std::max(1, columns / kPixelsPerTimeLabel))) {
        const QString label = QString::fromStdString(tick.label);
        // Labels name the marks, so one that came before (a day further on) is left out.
        if (!time_->categoriesLabels().contains(label)) {
            time_->append(label, static_cast<double>(tick.second - window.first) * perSecond);
        }
    }
}

void TimeChart::SetValueRange(double low, double high, double step, int decimals) {
    range_ = {low, high};
    decimals_ = decimals;
    // The chart hides a label that comes near the top of a fixed plot area: the range goes on
    // a label's height above the top mark, so that the mark keeps its label.
    const double headroom = QFontMetrics(values_->labelsFont()).height();
    const double height = PlotArea(size()).height();
    const double above = height > headroom ? (high - low) * headroom / (height - headroom) : 0.0;
    SetAxisRange(*values_, low, high + above, step);
    values_->setLabelFormat(QString("%.%1f").arg(decimals));
}

void TimeChart::SetAxisRange(QValueAxis& axis, double low, double high, double step) {
    const double oldRange = axis.max() - axis.min();
    const double oldStep = axis.tickInterval();
    if (oldRange / step <= (high - low) / oldStep) {
        axis.setTickInterval(step);
        axis.setRange(low, high);
    } else {
        axis.setRange(low, high);
        axis.setTickInterval(step);
    }
}

QList<QPointF> TimeChart::ColumnPoints(std::span<const ColumnRange> columns, double width) {
    constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    constexpr double kHalfStroke = 0.4;  // a lone value is a short stroke across its column
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(2 * columns.size()));
    bool inLine = false;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnRange& range = columns[c];
        const double x = (static_cast<double>(c) + 0.5) * width;
        if (!range.hasData) {
            if (inLine) {
                points.append(QPointF(x, kGap));  // breaks the line
                inLine = false;
            }
            continue;
        }
        const bool alone = !inLine && (c + 1 == columns.size() || !columns[c + 1].hasData);
        if (range.min == range.max && alone) {
            points.append(QPointF(x - kHalfStroke * width, range.min));
            points.append(QPointF(x + kHalfStroke * width, range.min));
        } else if (range.min == range.max) {
            points.append(QPointF(x, range.min));
        } else {
            // From the end nearer to where the line comes from, so the join stays short.
            const double last = inLine ? points.last().y() : range.min;
            const bool downwards = std::abs(last - range.max) < std::abs(last - range.min);
            points.append(QPointF(x, downwards ? range.max : range.min));
            points.append(QPointF(x, downwards ? range.min : range.max));
        }
        inLine = true;
    }
    return points;
}

void TimeChart::ShowColumns(QLineSeries& series, std::span<const ColumnRange> columns,
                            double width) {
    const QList<QPointF> points = ColumnPoints(columns, width);
    // Replacing costs the chart a new outline of the whole line: not for the same points.
    const auto same = [](const QPointF& a, const QPointF& b) {
        return a.x() == b.x() && (a.y() == b.y() || (std::isnan(a.y()) && std::isnan(b.y())));
    };
    const QList<QPointF> shown = series.points();
    if (!std::equal(points.begin(), points.end(), shown.begin(), shown.end(), same)) {
        series.replace(points);
    }
}

void TimeChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragX_ = qRound(event->position().x());
        setCursor(Qt::ClosedHandCursor);
    }
    QChartView::mousePressEvent(event);
}

void TimeChart::mouseMoveEvent(QMouseEvent* event) {
    if (dragX_) {
        const int x = qRound(event->position().x());
        if (x != *dragX_) {
            const int pixels = x - *dragX_;
            dragX_ = x;
            emit Dragged(pixels);
        }
    }
    QChartView::mouseMoveEvent(event);
}

void TimeChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragX_.reset();
        unsetCursor();
    }
    QChartView::mouseReleaseEvent(event);
}
