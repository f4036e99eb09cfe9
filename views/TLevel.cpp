#include "TLevel.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QString>

#include "QPainterCanvas.h"
#include "SignalLevelRows.h"

namespace {

struct LabelPlace {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    const char* text;
};

constexpr LabelPlace kHeadings[] = {
    {"Label3", 48, 16, 25, 13, "SV"},
    {"Label1", 112, 16, 25, 16, "El"},
    {"Label2", 152, 16, 25, 16, "Az"},
    {"Level", 206, 16, 51, 21, "C/No"},
};

// The rows' tops, CH1 to CH12; all rows start at left 29 and are 228 x 13.
constexpr int kRowTops[NavState::kChannels] = {40,  59,  78,  96,  115, 134,
                                               153, 172, 191, 209, 228, 247};
constexpr int kRowLeft = 29;
constexpr int kRowWidth = 228;
constexpr int kRowHeight = 13;
// The rows' pane keeps the design layout; the window scrolls it when shorter.
constexpr int kPaneWidth = kRowLeft + kRowWidth + kRowLeft;
constexpr int kPaneHeight = kRowTops[NavState::kChannels - 1] + kRowHeight + 16;

}  // namespace

TLevel::TLevel(AppState& state, QWidget* parent) : TMDIChild(parent), state_(state) {
    setObjectName("Level");
    setWindowTitle("12-Channel Signal Level View");
    resize(501, 318);
    move(388, 242);
    auto* pane = new QWidget;
    pane->setObjectName("LevelPane");
    QFont font("MS Sans Serif");
    font.setPixelSize(10);
    pane->setFont(font);
    pane->setFixedSize(kPaneWidth, kPaneHeight);
    CreateHeadings(pane);
    CreateRows(pane);
    auto* scroller = new QScrollArea;
    scroller->setObjectName("LevelScroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    scroller->setWidget(pane);
    setWidget(scroller);
}

TLevel::~TLevel() {
    state_.signalLevelViewOpen = 0;
}

void TLevel::CreateHeadings(QWidget* pane) {
    for (const LabelPlace& place : kHeadings) {
        auto* label = new QLabel(place.text, pane);
        label->setObjectName(place.name);
        label->setGeometry(place.left, place.top, place.width, place.height);
    }
}

void TLevel::CreateRows(QWidget* pane) {
    for (int index = 0; index < NavState::kChannels; ++index) {
        auto* row = new QLabel(pane);
        row->setObjectName(QString("CH%1").arg(index + 1));
        row->setGeometry(kRowLeft, kRowTops[index], kRowWidth, kRowHeight);
        row->setAutoFillBackground(true);
        QPalette palette = row->palette();
        palette.setColor(QPalette::Window, Qt::white);
        row->setPalette(palette);
        rows[index] = row;
    }
}

void TLevel::WriteRow(int row, const SatInView& sat, int fixAvailable) {
    QLabel* label = rows[row - 1];
    label->setText(QString::fromStdString(FormatSignalRow(sat)));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     QPainterCanvas::ToQColor(SignalRowColour(sat, fixAvailable)));
    label->setPalette(palette);
}

void TLevel::ShowSatelliteRows(int messageNumber, int messageCount, const NavState& nav) {
    const SignalRowPlan plan = PlanSignalRows(messageNumber, messageCount);
    for (int row = plan.firstWritten; row <= plan.lastWritten; ++row) {
        WriteRow(row, nav.sats[row - 1], nav.fixAvailable);
    }
    for (int row = plan.firstBlanked; row <= plan.lastBlanked; ++row) {
        rows[row - 1]->clear();
    }
}

void TLevel::ClearRows() {
    for (QLabel* row : rows) {
        row->clear();
    }
}
