#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <optional>
#include <span>
#include <utility>

#include "PixelColumns.h"
#include "TimeWindow.h"

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

// A chart of values over a time window. Its x axis counts the plot area's pixel columns:
// column c's values are drawn at x = c + 0.5, so no series has more than two points a pixel.
// The plot area keeps fixed margins, so that charts stacked one above another line up; the
// time labels go below it when asked for. Dragging the plot reports how far it went.
class TimeChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int kLeftMargin = 44;  // room for the value labels
    static constexpr int kRightMargin = 14;

    explicit TimeChart(bool timeLabels, QWidget* parent = nullptr);

    QLineSeries* AddSeries(const QColor& colour);
    void RemoveSeries(QLineSeries* series);

    // How many pixel columns the plot area has: how many ColumnRange to ask for.
    int Columns() const;

    void SetTimeWindow(TimeWindow window);
    // The value axis from `low` to `high`, a grid line every `step`, labels with `decimals`
    // digits after the point.
    void SetValueRange(double low, double high, double step, int decimals);

    // Sets `axis` to run from `low` to `high` with a mark every `step`, in the order that never
    // asks it for more marks than the old or the new setting has: a hundred-kilometre range
    // with the old half-metre step would be hundreds of thousands of grid lines.
    static void SetAxisRange(QValueAxis& axis, double low, double high, double step);

    // Shows `columns` in `series` in one call: each column's stretch from min to max, joined
    // to the next column's; a column without data breaks the line. Each column is `width`
    // pixel columns wide (more than 1 where the window has fewer seconds than pixels).
    static void ShowColumns(QLineSeries& series, std::span<const ColumnRange> columns,
                            double width = 1.0);
    static QList<QPointF> ColumnPoints(std::span<const ColumnRange> columns, double width = 1.0);

signals:
    // The user dragged the plot `pixels` to the right (negative: to the left).
    void Dragged(int pixels);
    // The plot area became wider or narrower.
    void ColumnsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRectF PlotArea(QSize size) const;

    QCategoryAxis* time_ = nullptr;
    QValueAxis* values_ = nullptr;
    bool timeLabels_;
    TimeWindow window_;
    std::pair<double, double> range_{0.0, 1.0};
    int decimals_ = 0;
    std::optional<int> dragX_;
};
