#include "LineStatisticsView.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 420;

}  // namespace

LineStatisticsView::LineStatisticsView(QWidget* parent) : TMDIChild(parent) {
    setObjectName("LineStatistics");
    setWindowTitle("Line Statistics");
    resize(kWidth, kHeight);
    table = new QTableWidget(0, 2);
    table->setObjectName("table");
    table->setHorizontalHeaderLabels({"Count", "Value"});
    table->verticalHeader()->hide();
    // Compact rows, so that most counts fit without scrolling.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    setWidget(table);
}

void LineStatisticsView::ShowReport(const std::vector<LineReportRow>& rows) {
    table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const LineReportRow& line = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < 2; ++column) {
            const QString text = QString::fromStdString(column == 0 ? line.name : line.value);
            QTableWidgetItem* item = table->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem(text);
                if (column == 1) {
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                }
                table->setItem(row, column, item);
            } else if (item->text() != text) {
                item->setText(text);
            }
        }
    }
}
