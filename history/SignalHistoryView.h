#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "HistoryWindow.h"
#include "SignalHistory.h"
#include "TMDIChild.h"
#include "ViewDialogs.h"

class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QScrollBar;
class SatelliteChooser;
class TimeChart;

// "Signal History": the C/N0 of each satellite signal ticked in the list, the satellites in
// view and used, and PDOP, HDOP and VDOP, in three charts one above another over the same
// time window: the last 5 minutes, hour or day, or everything kept. The window follows the
// present unless the user scrolls or drags it back. Each chart asks the history for as many
// pixel columns as it is wide and draws each column's smallest to largest value.
class SignalHistoryView : public TMDIChild {
    Q_OBJECT

public:
    static constexpr int kWidth = 780;
    static constexpr int kHeight = 600;

    SignalHistoryView(const SignalHistory& history, ViewDialogs dialogs, QWidget* parent = nullptr);

    // Draws what came since the last refresh; nothing when nothing did.
    void Refresh();

    // The window the charts show.
    TimeWindow Shown() const;
    // Whether the C/N0 chart is still being drawn (in turns of the event loop).
    bool Drawing() const { return !cno_.done; }

    void SavePictureClick();  // "Save Picture...": a PNG of the whole view
    void ExportCsvClick();    // "Export CSV...": the seconds of the window shown

    QComboBox* windowBox = nullptr;
    QLabel* windowLabel = nullptr;
    QPushButton* savePictureButton = nullptr;
    QPushButton* exportButton = nullptr;
    SatelliteChooser* chooser = nullptr;
    TimeChart* cnoChart = nullptr;
    TimeChart* countChart = nullptr;
    TimeChart* dopChart = nullptr;
    QScrollBar* scrollBar = nullptr;

private:
    QWidget* CreateCharts();
    void Redraw();
    void ShowScrollBar(TimeWindow kept);
    void ShowCarrierToNoise(TimeWindow shown);
    void ContinueCarrierToNoise(unsigned pass);
    void ShowCounts(TimeWindow shown);
    void ShowDilutions(TimeWindow shown);
    // Queries `series` into the scratch columns; returns the largest value (0 without data).
    double Query(SeriesId series, TimeWindow shown);
    void WindowChosen(int index);
    void Scrolled(int position);
    void Dragged(int pixels);

    const SignalHistory& history_;
    ViewDialogs dialogs_;
    HistoryWindow window_;
    std::unordered_map<std::uint32_t, QLineSeries*> cnoSeries_;
    QLineSeries* inView_ = nullptr;
    QLineSeries* used_ = nullptr;
    QLineSeries* pdop_ = nullptr;
    QLineSeries* hdop_ = nullptr;
    QLineSeries* vdop_ = nullptr;
    std::vector<ColumnRange> columns_;
    // The C/N0 chart's drawing under way.
    struct CarrierToNoiseDrawing {
        TimeWindow shown;
        std::size_t next = 0;  // the index in the history's satellites
        double largest = 0.0;
        unsigned pass = 0;  // counts the drawings: a turn of an earlier one stops
        bool done = true;
    } cno_;
    // What the last drawing was made of: Refresh draws again only when this changed.
    TimeWindow drawnKept_;
    std::size_t drawnSatellites_ = 0;
    bool showingScrollBar_ = false;  // set while the view moves the bar itself
    double dragSeconds_ = 0.0;       // a drag's part of a second not scrolled yet
};
