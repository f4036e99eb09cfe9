#include "SatelliteChooser.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>
#include <unordered_set>

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kSwatchSize = 12;
constexpr int kRoom = 80;  // pixels: check box, swatch, margins and a scroll bar

}  // namespace

SatelliteChooser::SatelliteChooser(QWidget* parent) : QWidget(parent) {
    list = new QListWidget;
    list->setObjectName("satellites");
    list->setSortingEnabled(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    allButton = new QPushButton("All");
    allButton->setObjectName("allButton");
    noneButton = new QPushButton("None");
    noneButton->setObjectName("noneButton");
    connect(allButton, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(noneButton, &QPushButton::clicked, this, [this] { CheckAll(false); });
    connect(list, &QListWidget::itemChanged, this, &SatelliteChooser::ChoiceChanged);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allButton);
    buttons->addWidget(noneButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(list);
    column->addLayout(buttons);
    // Room for the check box, the colour and the longest names ("E05 E1 B/C").
    setFixedWidth(fontMetrics().horizontalAdvance("E05 E1 B/C") + kRoom);
}

// Hues a golden angle apart by satellite number, a shade per system and signal.
QColor SatelliteChooser::Colour(std::uint32_t key) {
    constexpr double kGoldenTurn = 0.6180339887;
    const std::uint32_t system = key >> 16;
    const std::uint32_t number = (key >> 5) & 0x7FF;
    const std::uint32_t signal = key & 0x1F;
    const double hue = std::fmod(number * kGoldenTurn + system * 0.09, 1.0);
    const double value = signal % 2 == 0 ? 0.62 : 0.88;
    return QColor::fromHsvF(static_cast<float>(hue), 0.9f, static_cast<float>(value));
}

void SatelliteChooser::Update(const std::vector<SatelliteInfo>& satellites) {
    std::unordered_set<std::uint32_t> kept;
    const QSignalBlocker quiet(list);
    for (const SatelliteInfo& satellite : satellites) {
        kept.insert(satellite.key);
        if (items_.contains(satellite.key)) {
            continue;
        }
        QPixmap swatch(kSwatchSize, kSwatchSize);
        swatch.fill(Colour(satellite.key));
        auto* item = new QListWidgetItem(QIcon(swatch), QString::fromStdString(satellite.name));
        item->setData(kKeyRole, satellite.key);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(newChecked_ ? Qt::Checked : Qt::Unchecked);
        list->addItem(item);
        items_[satellite.key] = item;
    }
    for (int row = list->count() - 1; row >= 0; --row) {
        const std::uint32_t key = list->item(row)->data(kKeyRole).toUInt();
        if (!kept.contains(key)) {
            items_.erase(key);
            delete list->takeItem(row);
        }
    }
}

bool SatelliteChooser::Chosen(std::uint32_t key) const {
    const auto it = items_.find(key);
    return it != items_.end() && it->second->checkState() == Qt::Checked;
}

void SatelliteChooser::CheckAll(bool checked) {
    newChecked_ = checked;
    {
        const QSignalBlocker quiet(list);
        for (int row = 0; row < list->count(); ++row) {
            list->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    emit ChoiceChanged();
}
