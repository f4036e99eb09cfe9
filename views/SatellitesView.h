#pragma once

#include "GnssEpoch.h"
#include "TMDIChild.h"

class QLabel;
class QTableWidget;

// "Satellites": one row per satellite and signal with its system, number, signal, elevation,
// azimuth, C/N0 (with a bar) and whether the fix uses it, sortable by any column; above the
// table the satellites used and in view per system ("GPS 9/12, GLONASS 6/8").
class SatellitesView : public TMDIChild {
    Q_OBJECT

public:
    enum Column { System, Id, Signal, Elevation, Azimuth, CNo, Used, ColumnCount };
    static constexpr int kWidth = 560;
    static constexpr int kHeight = 380;

    explicit SatellitesView(QWidget* parent = nullptr);

    // Shows the satellites of `epoch`, keeping the order the user chose.
    void Show(const GnssEpoch& epoch);

    QLabel* summary = nullptr;
    QTableWidget* table = nullptr;
};
