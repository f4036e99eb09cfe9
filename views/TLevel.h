#pragma once

#include <array>

#include "AppState.h"
#include "NavState.h"
#include "TMDIChild.h"

class QLabel;

// "12-Channel Signal Level View": one text row per channel slot, written as the
// decoder stores each GSV message's satellites.
class TLevel : public TMDIChild {
    Q_OBJECT

public:
    explicit TLevel(AppState& state, QWidget* parent = nullptr);
    ~TLevel() override;  // FormDestroy

    // Rewrites the four rows of GSV message `messageNumber` of `messageCount` from
    // `nav`'s slots and empties the rows the group does not reach.
    void ShowSatelliteRows(int messageNumber, int messageCount, const NavState& nav);

    // Empties all twelve rows; their colours stay.
    void ClearRows();

    // CH1..CH12.
    std::array<QLabel*, NavState::kChannels> rows{};

private:
    void CreateHeadings(QWidget* pane);
    void CreateRows(QWidget* pane);
    void WriteRow(int row, const SatInView& sat, int fixAvailable);

    AppState& state_;
};
