#include "SatellitesView.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "SignalTable.h"
#include "SystemCounts.h"

namespace {

// A C/N0 of this many dB-Hz fills the cell's bar; strong signals reach about 50.
constexpr double kFullBar = 55.0;
constexpr int kBarColumnWidth = 90;  // pixels: room for the bar beside the number

// Paints the C/N0 as a bar behind its number.
class CnoBarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int cno = index.data(Qt::UserRole).toInt();
        if (cno > 0) {
            const double share = std::clamp(cno / kFullBar, 0.0, 1.0);
            QRect bar = option.rect.adjusted(2, 3, -2, -3);
            bar.setWidth(static_cast<int>(bar.width() * share));
            painter->save();
            painter->fillRect(bar, cno >= 35   ? QColor(120, 200, 120)
                                   : cno >= 25 ? QColor(230, 200, 90)
                                               : QColor(230, 130, 110));
            painter->restore();
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

// A cell that shows a text and sorts by a number of its own: systems in their order (GPS,
// SBAS, GLONASS ...), values by size with "-" (none) first.
class SortedItem : public QTableWidgetItem {
public:
    SortedItem(const QString& text, double key) : QTableWidgetItem(text) {
        setData(Qt::UserRole, key);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QTableWidgetItem* NumberItem(const std::optional<int>& value) {
    auto* item = new SortedItem(value ? QString::number(*value) : QString("-"), value.value_or(-1));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

SatellitesView::SatellitesView(QWidget* parent) : TMDIChild(parent) {
    setObjectName("Satellites");
    setWindowTitle("Satellites");
    resize(kWidth, kHeight);
    auto* client = new QWidget;
    summary = new QLabel(client);
    summary->setObjectName("summary");
    table = new QTableWidget(0, ColumnCount, client);
    table->setObjectName("table");
    table->setHorizontalHeaderLabels(
        {"System", "ID", "Signal", "Elevation", "Azimuth", "C/N0", "Used"});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setItemDelegateForColumn(CNo, new CnoBarDelegate(table));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(CNo, QHeaderView::Fixed);
    table->horizontalHeader()->resizeSection(CNo, kBarColumnWidth);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setSortingEnabled(true);
    table->sortByColumn(System, Qt::AscendingOrder);
    auto* column = new QVBoxLayout(client);
    column->addWidget(summary);
    column->addWidget(table);
    setWidget(client);
}

void SatellitesView::Show(const GnssEpoch& epoch) {
    const QString counts = QString::fromStdString(SystemSummary(CountBySystem(epoch)));
    summary->setText(counts.isEmpty() ? "No satellites in view" : counts);
    // Filled unsorted, then sorted once as the header says.
    table->setSortingEnabled(false);
    table->setRowCount(static_cast<int>(epoch.satellites.size()));
    int row = 0;
    for (const SatelliteSignal& signal : epoch.satellites) {
        const char* signalName = SignalName(signal.id.system, signal.signalId);
        table->setItem(
            row, System,
            new SortedItem(GnssSystemName(signal.id.system), static_cast<int>(signal.id.system)));
        table->setItem(row, Id, NumberItem(signal.id.svid));
        table->setItem(row, Signal, new QTableWidgetItem(signalName ? signalName : "-"));
        table->setItem(row, Elevation, NumberItem(signal.elevation));
        table->setItem(row, Azimuth, NumberItem(signal.azimuth));
        table->setItem(row, CNo, NumberItem(signal.cno));
        table->setItem(row, Used, new SortedItem(signal.used ? "yes" : "", signal.used ? 1 : 0));
        ++row;
    }
    table->setSortingEnabled(true);
}
