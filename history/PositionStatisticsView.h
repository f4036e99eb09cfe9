#pragma once

#include <vector>

#include "PositionStatistics.h"
#include "TMDIChild.h"
#include "ViewDialogs.h"

class QLabel;
class QLineSeries;
class QPushButton;
class ScatterChart;
class SetReferenceDialog;
class TimeChart;

// "Position Statistics": the fixes of a receiver standing still as a scatter around the
// reference with the CEP50 and CEP95 circles; beside it the number of fixes, the reference
// and the figures of the spread; below it the altitude's deviation over time. The reference
// is the mean of the fixes unless one is set.
class PositionStatisticsView : public TMDIChild {
    Q_OBJECT

public:
    static constexpr int kWidth = 700;
    static constexpr int kHeight = 600;

    PositionStatisticsView(PositionStatistics& statistics, ViewDialogs dialogs,
                           QWidget* parent = nullptr);

    // Draws the survey again when fixes came since the last refresh.
    void Refresh();

    void SetReferenceClick();  // "Set Reference...": the mean, or a place typed in
    void ResetClick();         // "Reset": a new survey
    void ExportCsvClick();     // "Export CSV...": every fix

    QPushButton* setReferenceButton = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* exportButton = nullptr;
    ScatterChart* scatter = nullptr;
    QLabel* scaleLabel = nullptr;
    TimeChart* upChart = nullptr;
    SetReferenceDialog* referenceDialog = nullptr;  // made when first needed
    // The figures, by object name: fixes, reference, latitude, longitude, altitude,
    // sigmaEast, sigmaNorth, sigmaUp, cep50, cep95, drms2, largest.
    QLabel* Figure(const char* name) const;

private:
    QWidget* CreateFigures();
    void Redraw();
    void ShowFigures(const SurveySummary& summary);
    void ShowUp(std::span<const Deviation> deviations);

    PositionStatistics& statistics_;
    ViewDialogs dialogs_;
    QLineSeries* up_ = nullptr;
    std::vector<ColumnRange> columns_;
    // What the last drawing was made of: Refresh draws again only when this changed.
    std::size_t drawnCount_ = 0;
    double drawnNewest_ = 0.0;
};
