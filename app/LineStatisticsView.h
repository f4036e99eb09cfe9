#pragma once

#include <vector>

#include "LineReport.h"
#include "TMDIChild.h"

class QTableWidget;

// "Line Statistics": what the line carried since the last Start, one row per count. It is
// only shown here; the counting happens in the line monitor.
class LineStatisticsView : public TMDIChild {
    Q_OBJECT

public:
    explicit LineStatisticsView(QWidget* parent = nullptr);

    void ShowReport(const std::vector<LineReportRow>& rows);

    QTableWidget* table = nullptr;
};
