#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "AppState.h"
#include "TMDIChild.h"

class QLabel;
class QScrollArea;
class QWidget;

// The "Message View": the latest raw text of each of eight sentence kinds, one fixed row
// each (rows 1-3 GSV messages 1-3, 4 GGA, 5 GSA, 6 RMC, 7 VTG, 8 GLL).
class TSource : public TMDIChild {
    Q_OBJECT

public:
    static constexpr int kLeft = 285;
    static constexpr int kTop = 269;
    static constexpr int kWidth = 599;
    static constexpr int kHeight = 226;
    static constexpr int kScrollWidth = 1200;
    static constexpr int kScrollHeight = 2000;
    static constexpr int kRowCount = 8;
    static constexpr int kRowWidth = 537;
    static constexpr int kRowHeight = 16;
    static constexpr int kFontPixelSize = 13;

    explicit TSource(AppState& state, QWidget* parent = nullptr);
    ~TSource() override;

    // Shows a sentence's text (after "$", with checksum and line end) in row 1..8. The
    // line end is not shown; text that is not valid UTF-8 is read as Latin-1. A null
    // text empties the row. Returns false, changing nothing, for a row outside 1..8.
    bool ShowMessageRow(int row, const char* text);
    bool ShowMessageRow(int row, std::string_view text);

    // Empties row 1..8; false for a row outside that range.
    bool ClearRow(int row);
    // Empties each listed row; rows outside 1..8 are skipped.
    void ClearRows(std::span<const int> rows);
    void ClearRows(std::initializer_list<int> rows);

private:
    QWidget* BuildRows();
    QLabel*& RowMember(int row);  // row 1..8
    QLabel* Row(int row);         // null for a row outside 1..8
    void FormDestroy();

    AppState& state_;

    QScrollArea* scroller_ = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
};
