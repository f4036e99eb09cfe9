#include "PositionStatisticsView.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ExportFile.h"
#include "NiceNumbers.h"
#include "ScatterChart.h"
#include "SetReferenceDialog.h"
#include "SurveyCsv.h"
#include "TimeChart.h"

namespace {

struct FigureRow {
    const char* name;
    const char* caption;
};
constexpr FigureRow kFigures[] = {
    {"fixes", "Fixes:"},
    {"reference", "Reference:"},
    {"latitude", "Latitude:"},
    {"longitude", "Longitude:"},
    {"altitude", "Altitude:"},
    {"sigmaEast", "Sigma east:"},
    {"sigmaNorth", "Sigma north:"},
    {"sigmaUp", "Sigma up:"},
    {"cep50", "CEP50:"},
    {"cep95", "CEP95:"},
    {"drms2", "2DRMS:"},
    {"largest", "Largest distance:"},
};

QString Degrees(double value) {
    return QString::number(value, 'f', 8) + QChar(0x00B0);
}

QString Metres(double value) {
    return QString::number(value, 'f', 2) + " m";
}

}  // namespace

PositionStatisticsView::PositionStatisticsView(PositionStatistics& statistics, ViewDialogs dialogs,
                                               QWidget* parent)
    : TMDIChild(parent), statistics_(statistics), dialogs_(std::move(dialogs)) {
    setObjectName("PositionStatistics");
    setWindowTitle("Position Statistics");
    resize(kWidth, kHeight);
    auto* client = new QWidget;
    setReferenceButton = new QPushButton("Set Reference...");
    setReferenceButton->setObjectName("setReferenceButton");
    resetButton = new QPushButton("Reset");
    resetButton->setObjectName("resetButton");
    exportButton = new QPushButton("Export CSV...");
    exportButton->setObjectName("exportButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setReferenceButton);
    buttons->addWidget(resetButton);
    buttons->addStretch(1);
    buttons->addWidget(exportButton);

    scatter = new ScatterChart;
    scatter->setObjectName("scatter");
    scaleLabel = new QLabel;
    scaleLabel->setObjectName("scaleLabel");
    auto* scatterColumn = new QVBoxLayout;
    scatterColumn->addWidget(scaleLabel);
    scatterColumn->addWidget(scatter, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(scatterColumn, 1);
    middle->addWidget(CreateFigures());

    upChart = new TimeChart(true);
    upChart->setObjectName("upChart");
    up_ = upChart->AddSeries(QColor(44, 160, 44));
    auto* column = new QVBoxLayout(client);
    column->addLayout(buttons);
    column->addLayout(middle, 3);
    column->addWidget(new QLabel("<b>Altitude's deviation from the reference (m)</b>"));
    column->addWidget(upChart, 1);
    setWidget(client);

    connect(setReferenceButton, &QPushButton::clicked, this,
            &PositionStatisticsView::SetReferenceClick);
    connect(resetButton, &QPushButton::clicked, this, &PositionStatisticsView::ResetClick);
    connect(exportButton, &QPushButton::clicked, this, &PositionStatisticsView::ExportCsvClick);
    connect(scatter, &ScatterChart::SideChanged, this, &PositionStatisticsView::Redraw);
    connect(upChart, &TimeChart::ColumnsChanged, this, &PositionStatisticsView::Redraw);
    Redraw();
}

QWidget* PositionStatisticsView::CreateFigures() {
    auto* panel = new QWidget;
    auto* form = new QFormLayout(panel);
    for (const FigureRow& row : kFigures) {
        auto* value = new QLabel("-");
        value->setObjectName(row.name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(row.caption, value);
    }
    auto* legend = new QLabel(
        "<span style='color:#ff7f0e'>&#9711;</span> CEP50: half the fixes within<br>"
        "<span style='color:#d62728'>&#9711;</span> CEP95: 95 % within");
    form->addRow(legend);
    return panel;
}

QLabel* PositionStatisticsView::Figure(const char* name) const {
    return findChild<QLabel*>(name);
}

void PositionStatisticsView::Refresh() {
    const double newest = statistics_.Count() > 0 ? statistics_.Fixes().back().time : 0.0;
    if (statistics_.Count() == drawnCount_ && newest == drawnNewest_) {
        return;
    }
    Redraw();
}

void PositionStatisticsView::Redraw() {
    drawnCount_ = statistics_.Count();
    drawnNewest_ = drawnCount_ > 0 ? statistics_.Fixes().back().time : 0.0;
    const PositionStatistics::Survey survey = statistics_.Surveyed();
    ShowFigures(survey.summary);
    scatter->Show(survey.deviations, survey.summary.figures);
    scaleLabel->setText(QString("<b>Fixes around the reference</b>, grid every %1 m")
                            .arg(QString::number(scatter->GridStep(), 'g', 6)));
    ShowUp(survey.deviations);
}

void PositionStatisticsView::ShowFigures(const SurveySummary& summary) {
    const auto show = [this](const char* name, const QString& text) {
        Figure(name)->setText(text);
    };
    show("fixes", QString::number(summary.fixes));
    show("reference", summary.referenceSet ? "set" : "mean of the fixes");
    const std::optional<GeoPoint>& place = summary.reference;
    show("latitude", place ? Degrees(place->latitude) : "-");
    show("longitude", place ? Degrees(place->longitude) : "-");
    show("altitude", place ? Metres(place->altitude) : "-");
    const std::optional<SurveyFigures>& figures = summary.figures;
    const std::pair<const char*, double SurveyFigures::*> metres[] = {
        {"sigmaEast", &SurveyFigures::sigmaEast},  {"sigmaNorth", &SurveyFigures::sigmaNorth},
        {"sigmaUp", &SurveyFigures::sigmaUp},      {"cep50", &SurveyFigures::cep50},
        {"cep95", &SurveyFigures::cep95},          {"drms2", &SurveyFigures::drms2},
        {"largest", &SurveyFigures::maxHorizontal}};
    for (const auto& [name, field] : metres) {
        show(name, figures ? Metres((*figures).*field) : "-");
    }
}

// Over the time of the fixes kept, symmetric around the reference's altitude.
void PositionStatisticsView::ShowUp(std::span<const Deviation> deviations) {
    const std::deque<SurveyFix>& fixes = statistics_.Fixes();
    const TimeWindow window =
        fixes.empty() ? TimeWindow{}
                      : TimeWindow{static_cast<std::int64_t>(std::floor(fixes.front().time)),
                                   static_cast<std::int64_t>(std::floor(fixes.back().time))};
    upChart->SetTimeWindow(window);
    // Each fix falls into one column: with fewer seconds than pixels, a column a second keeps
    // the line whole.
    const int pixels = upChart->Columns();
    const auto count = std::max<std::int64_t>(1, std::min<std::int64_t>(pixels, window.Seconds()));
    columns_.resize(static_cast<std::size_t>(count));
    PositionStatistics::UpColumns(deviations, window, columns_);
    double largest = 0.0;
    for (const ColumnRange& range : columns_) {
        if (range.hasData) {
            largest = std::max({largest, std::abs(range.min), std::abs(range.max)});
        }
    }
    TimeChart::ShowColumns(*up_, columns_,
                           static_cast<double>(pixels) / static_cast<double>(count));
    const double top = NiceCeiling(std::max(largest, 0.1));
    const double step = NiceStep(2.0 * top, 4);
    upChart->SetValueRange(-top, top, step, DecimalsFor(step));
}

void PositionStatisticsView::SetReferenceClick() {
    if (referenceDialog == nullptr) {
        referenceDialog = new SetReferenceDialog(this);
    }
    const SurveySummary summary = statistics_.Summary();
    referenceDialog->Show(summary.reference, summary.referenceSet);
    if (dialogs_.runModal(*referenceDialog) != QDialog::Accepted) {
        return;
    }
    if (const std::optional<GeoPoint> chosen = referenceDialog->Chosen()) {
        statistics_.SetReference(*chosen);
    } else {
        statistics_.UseMeanReference();
    }
    Redraw();
}

void PositionStatisticsView::ResetClick() {
    statistics_.Reset();
    Redraw();
}

void PositionStatisticsView::ExportCsvClick() {
    const QString path =
        AskSavePath(dialogs_, this, "Export CSV", "position-statistics.csv", "CSV files (*.csv)");
    if (!path.isEmpty()) {
        WriteTextFile(path, [this](std::FILE* file) { return WriteSurveyCsv(statistics_, file); });
    }
}
