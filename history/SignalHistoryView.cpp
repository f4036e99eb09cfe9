#include "SignalHistoryView.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ExportFile.h"
#include "HistoryCsv.h"
#include "NiceNumbers.h"
#include "SatelliteChooser.h"
#include "TimeChart.h"
#include "TimeTicks.h"

namespace {

struct WindowChoice {
    const char* name;
    std::int64_t seconds;
};
constexpr WindowChoice kWindows[] = {
    {"5 min", 300}, {"1 h", 3600}, {"24 h", 86400}, {"All", HistoryWindow::kAll}};
constexpr int kAllIndex = 3;

const QColor kInViewColour(31, 119, 180);
const QColor kUsedColour(44, 160, 44);
const QColor kPdopColour(214, 39, 40);
const QColor kHdopColour(31, 119, 180);
const QColor kVdopColour(255, 127, 14);

constexpr double kCnoTop = 60.0;  // dB-Hz: strong signals reach about 50
constexpr int kMostValueSteps = 5;
constexpr int kTurnMs = 15;  // the longest the C/N0 chart holds the window in one go

// A chart's caption naming its series in their colours.
QLabel* Caption(const QString& title, std::initializer_list<std::pair<QColor, const char*>> names) {
    QString text = "<b>" + title + "</b>";
    for (const auto& [colour, name] : names) {
        text += QString("&nbsp;&nbsp;<span style='color:%1'>&#9644;</span>&nbsp;%2")
                    .arg(colour.name(), name);
    }
    return new QLabel(text);
}

QString ClockText(std::int64_t second) {
    return QString::fromStdString(TimeOfDay(second));
}

}  // namespace

SignalHistoryView::SignalHistoryView(const SignalHistory& history, ViewDialogs dialogs,
                                     QWidget* parent)
    : TMDIChild(parent), history_(history), dialogs_(std::move(dialogs)) {
    setObjectName("SignalHistory");
    setWindowTitle("Signal History");
    resize(kWidth, kHeight);
    auto* client = new QWidget;
    windowBox = new QComboBox;
    windowBox->setObjectName("windowBox");
    for (const WindowChoice& choice : kWindows) {
        windowBox->addItem(choice.name);
    }
    windowBox->setCurrentIndex(kAllIndex);
    windowLabel = new QLabel;
    windowLabel->setObjectName("windowLabel");
    savePictureButton = new QPushButton("Save Picture...");
    savePictureButton->setObjectName("savePictureButton");
    exportButton = new QPushButton("Export CSV...");
    exportButton->setObjectName("exportButton");
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Window:"));
    top->addWidget(windowBox);
    top->addWidget(windowLabel, 1);
    top->addWidget(savePictureButton);
    top->addWidget(exportButton);

    chooser = new SatelliteChooser;
    auto* body = new QHBoxLayout;
    body->addWidget(chooser);
    body->addWidget(CreateCharts(), 1);
    auto* column = new QVBoxLayout(client);
    column->addLayout(top);
    column->addLayout(body, 1);
    setWidget(client);

    connect(windowBox, &QComboBox::activated, this, &SignalHistoryView::WindowChosen);
    connect(savePictureButton, &QPushButton::clicked, this, &SignalHistoryView::SavePictureClick);
    connect(exportButton, &QPushButton::clicked, this, &SignalHistoryView::ExportCsvClick);
    connect(chooser, &SatelliteChooser::ChoiceChanged, this, &SignalHistoryView::Redraw);
    connect(scrollBar, &QScrollBar::valueChanged, this, &SignalHistoryView::Scrolled);
    for (TimeChart* chart : {cnoChart, countChart, dopChart}) {
        connect(chart, &TimeChart::Dragged, this, &SignalHistoryView::Dragged);
    }
    // All three are as wide as each other; one tells of a new width.
    connect(dopChart, &TimeChart::ColumnsChanged, this, &SignalHistoryView::Redraw);
    Redraw();
}

QWidget* SignalHistoryView::CreateCharts() {
    auto* charts = new QWidget;
    cnoChart = new TimeChart(false);
    cnoChart->setObjectName("cnoChart");
    countChart = new TimeChart(false);
    countChart->setObjectName("countChart");
    dopChart = new TimeChart(true);
    dopChart->setObjectName("dopChart");
    inView_ = countChart->AddSeries(kInViewColour);
    used_ = countChart->AddSeries(kUsedColour);
    pdop_ = dopChart->AddSeries(kPdopColour);
    hdop_ = dopChart->AddSeries(kHdopColour);
    vdop_ = dopChart->AddSeries(kVdopColour);
    scrollBar = new QScrollBar(Qt::Horizontal);
    scrollBar->setObjectName("scrollBar");
    auto* column = new QVBoxLayout(charts);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(Caption("C/N0 (dB-Hz) of the satellites ticked", {}));
    column->addWidget(cnoChart, 3);
    column->addWidget(Caption("Satellites", {{kInViewColour, "in view"}, {kUsedColour, "used"}}));
    column->addWidget(countChart, 2);
    column->addWidget(
        Caption("Dilution of precision",
                {{kPdopColour, "PDOP"}, {kHdopColour, "HDOP"}, {kVdopColour, "VDOP"}}));
    column->addWidget(dopChart, 2);
    auto* scrollRow = new QHBoxLayout;
    scrollRow->setContentsMargins(TimeChart::kLeftMargin, 0, TimeChart::kRightMargin, 0);
    scrollRow->addWidget(scrollBar);
    column->addLayout(scrollRow);
    return charts;
}

TimeWindow SignalHistoryView::Shown() const {
    return window_.Shown(history_.Kept());
}

void SignalHistoryView::Refresh() {
    if (history_.Kept().first == drawnKept_.first && history_.Kept().last == drawnKept_.last &&
        history_.Satellites().size() == drawnSatellites_) {
        return;
    }
    Redraw();
}

void SignalHistoryView::Redraw() {
    const TimeWindow kept = history_.Kept();
    drawnKept_ = kept;
    drawnSatellites_ = history_.Satellites().size();
    ShowScrollBar(kept);
    const TimeWindow shown = window_.Shown(kept);
    QString text;
    if (!shown.Empty()) {
        text = QString("%1 to %2 UTC").arg(ClockText(shown.first), ClockText(shown.last + 1));
        if (!window_.Following()) {
            text += ", scrolled back";
        }
    }
    windowLabel->setText(text);
    for (TimeChart* chart : {cnoChart, countChart, dopChart}) {
        chart->SetTimeWindow(shown);
    }
    columns_.resize(static_cast<std::size_t>(dopChart->Columns()));
    ShowCounts(shown);
    ShowDilutions(shown);
    ShowCarrierToNoise(shown);
}

void SignalHistoryView::ShowScrollBar(TimeWindow kept) {
    showingScrollBar_ = true;
    const TimeWindow shown = window_.Shown(kept);
    scrollBar->setRange(0, static_cast<int>(window_.ScrollRange(kept)));
    scrollBar->setPageStep(static_cast<int>(std::max<std::int64_t>(shown.Seconds(), 1)));
    scrollBar->setSingleStep(std::max(1, scrollBar->pageStep() / 10));
    scrollBar->setValue(static_cast<int>(window_.ScrollPosition(kept)));
    scrollBar->setEnabled(scrollBar->maximum() > 0);
    showingScrollBar_ = false;
}

double SignalHistoryView::Query(SeriesId series, TimeWindow shown) {
    history_.Query(series, shown, columns_);
    double largest = 0.0;
    for (const ColumnRange& range : columns_) {
        largest = range.hasData ? std::max(largest, range.max) : largest;
    }
    return largest;
}

// A series of its own for each satellite kept; then the series in turns of at most kTurnMs
// each: a day of 130 signals of four systems would hold the window for a tenth of a second.
void SignalHistoryView::ShowCarrierToNoise(TimeWindow shown) {
    chooser->Update(history_.Satellites());
    std::unordered_map<std::uint32_t, QLineSeries*> kept;
    for (const SatelliteInfo& satellite : history_.Satellites()) {
        const auto it = cnoSeries_.find(satellite.key);
        if (it == cnoSeries_.end()) {
            kept[satellite.key] = cnoChart->AddSeries(SatelliteChooser::Colour(satellite.key));
        } else {
            kept[satellite.key] = it->second;
            cnoSeries_.erase(it);
        }
    }
    for (const auto& [key, series] : cnoSeries_) {  // satellites no longer kept
        cnoChart->RemoveSeries(series);
    }
    cnoSeries_ = std::move(kept);
    cno_ = {shown, 0, 0.0, cno_.pass + 1, false};
    ContinueCarrierToNoise(cno_.pass);
}

void SignalHistoryView::ContinueCarrierToNoise(unsigned pass) {
    if (pass != cno_.pass) {
        return;  // a later drawing started over
    }
    QElapsedTimer turn;
    turn.start();
    const std::vector<SatelliteInfo>& satellites = history_.Satellites();
    columns_.resize(static_cast<std::size_t>(dopChart->Columns()));
    for (; cno_.next < satellites.size(); ++cno_.next) {
        if (turn.elapsed() >= kTurnMs) {
            QTimer::singleShot(0, this, [this, pass] { ContinueCarrierToNoise(pass); });
            return;
        }
        const std::uint32_t key = satellites[cno_.next].key;
        const auto it = cnoSeries_.find(key);
        if (it == cnoSeries_.end()) {
            continue;  // came since the drawing started: the next one shows it
        }
        if (chooser->Chosen(key)) {  // without data in the window: an empty line
            cno_.largest =
                std::max(cno_.largest, Query({SeriesKind::CarrierToNoise, key}, cno_.shown));
            TimeChart::ShowColumns(*it->second, columns_);
        } else if (it->second->count() > 0) {
            it->second->clear();
        }
    }
    // In tens of dB-Hz: a strong 51 makes 60, not the next round 100.
    const double top = std::max(kCnoTop, std::ceil(cno_.largest / 10.0) * 10.0);
    cnoChart->SetValueRange(0.0, top, NiceStep(top, kMostValueSteps), 0);
    cno_.done = true;
}

void SignalHistoryView::ShowCounts(TimeWindow shown) {
    constexpr double kFewest = 4.0;
    double largest = Query({SeriesKind::InView}, shown);
    TimeChart::ShowColumns(*inView_, columns_);
    largest = std::max(largest, Query({SeriesKind::Used}, shown));
    TimeChart::ShowColumns(*used_, columns_);
    const double top = NiceCeiling(std::max(largest + 1.0, kFewest));
    countChart->SetValueRange(0.0, top, std::max(1.0, NiceStep(top, kMostValueSteps)), 0);
}

void SignalHistoryView::ShowDilutions(TimeWindow shown) {
    constexpr double kSmallestTop = 2.0;
    double largest = 0.0;
    const std::pair<SeriesKind, QLineSeries*> kinds[] = {
        {SeriesKind::Pdop, pdop_}, {SeriesKind::Hdop, hdop_}, {SeriesKind::Vdop, vdop_}};
    for (const auto& [kind, series] : kinds) {
        largest = std::max(largest, Query({kind}, shown));
        TimeChart::ShowColumns(*series, columns_);
    }
    const double top = NiceCeiling(std::max(largest, kSmallestTop));
    const double step = NiceStep(top, kMostValueSteps);
    dopChart->SetValueRange(0.0, top, step, DecimalsFor(step));
}

void SignalHistoryView::WindowChosen(int index) {
    window_.SetSpan(kWindows[index].seconds);
    Redraw();
}

void SignalHistoryView::Scrolled(int position) {
    if (showingScrollBar_) {
        return;
    }
    window_.ScrollTo(position, history_.Kept());
    Redraw();
}

// Dragging the plot to the right shows earlier seconds, as a map is dragged.
void SignalHistoryView::Dragged(int pixels) {
    const TimeWindow shown = Shown();
    const int columns = dopChart->Columns();
    if (shown.Empty() || columns <= 0) {
        return;
    }
    dragSeconds_ -= static_cast<double>(pixels) * static_cast<double>(shown.Seconds()) / columns;
    const double whole = std::trunc(dragSeconds_);
    if (whole != 0.0) {
        dragSeconds_ -= whole;
        window_.ScrollBy(static_cast<std::int64_t>(whole), history_.Kept());
        Redraw();
    }
}

void SignalHistoryView::SavePictureClick() {
    const QString path =
        AskSavePath(dialogs_, this, "Save Picture", "signal-history.png", "PNG images (*.png)");
    if (!path.isEmpty() && !widget()->grab().save(path, "PNG")) {
        throw std::runtime_error("Cannot write " + path.toStdString());
    }
}

void SignalHistoryView::ExportCsvClick() {
    const QString path =
        AskSavePath(dialogs_, this, "Export CSV", "signal-history.csv", "CSV files (*.csv)");
    if (path.isEmpty()) {
        return;
    }
    const TimeWindow shown = Shown();
    WriteTextFile(path, [&](std::FILE* file) { return WriteHistoryCsv(history_, shown, file); });
}
