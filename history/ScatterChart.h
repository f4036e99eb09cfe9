#pragma once

#include <QChartView>
#include <optional>
#include <span>

#include "PositionStatistics.h"

class QLineSeries;
class QGraphicsPixmapItem;
class QValueAxis;

// The fixes in metres east and north of the reference, on a square plot centred on it with
// the same scale on both axes, and circles at the CEP50 and CEP95 radii. The fixes are drawn
// as the cells of a ScatterGrid of two pixels a side, each cell once, into an image laid
// over the plot area: a scatter series would make a graphics item of every point, and a
// day's fixes spread wide take it seconds to replace.
class ScatterChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int kCellPixels = 2;

    explicit ScatterChart(QWidget* parent = nullptr);

    void Show(std::span<const Deviation> deviations, const std::optional<SurveyFigures>& figures);

    // The plot's side in pixels.
    int Side() const;
    // Metres between two grid lines: the scale.
    double GridStep() const { return gridStep_; }

    // The cells that hold a fix, as `fixColour` squares on a clear image the plot's size.
    QGraphicsPixmapItem* fixes = nullptr;
    QLineSeries* cep50Circle = nullptr;
    QLineSeries* cep95Circle = nullptr;

signals:
    void SideChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF PlotArea(QSize size) const;
    void DrawFixes(std::span<const Deviation> deviations, double halfSide);

    QValueAxis* east_ = nullptr;
    QValueAxis* north_ = nullptr;
    double gridStep_ = 1.0;
};
