#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "SignalHistory.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

// The satellite signals of the signal history as a list with check boxes, sorted by name,
// each with its colour in the C/N0 chart: the chart's legend, and the choice of what it
// shows. "All" and "None" tick or clear every box; satellites that come later are ticked
// unless "None" was the last of the two pressed.
class SatelliteChooser : public QWidget {
    Q_OBJECT

public:
    explicit SatelliteChooser(QWidget* parent = nullptr);

    // Adds the satellites new to the list and takes out those no longer kept (without
    // ChoiceChanged: the caller draws them).
    void Update(const std::vector<SatelliteInfo>& satellites);

    bool Chosen(std::uint32_t key) const;
    // A colour of its own for each satellite signal, the same in every run.
    static QColor Colour(std::uint32_t key);

    QListWidget* list = nullptr;
    QPushButton* allButton = nullptr;
    QPushButton* noneButton = nullptr;

signals:
    void ChoiceChanged();

private:
    void CheckAll(bool checked);

    bool newChecked_ = true;
    std::unordered_map<std::uint32_t, QListWidgetItem*> items_;
};
