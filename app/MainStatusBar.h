#pragma once

#include <QStatusBar>

class QLabel;

// The line along the bottom of the main window where the program says what its data
// source is doing; the views never do. Four permanent fields, left to right: the source
// ("/dev/ttyUSB0 4800 8N1", a playback file, a network address), the state ("Stopped",
// "Receiving" ...), sentences per second and the fix. Features add fields of their own
// after these. Nothing here ever opens a dialog.
class MainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    void SetSource(const QString& text);
    void SetState(const QString& text);
    void SetSentenceRate(const QString& text);
    void SetFix(const QString& text);

    // Adds a feature's own field after the permanent ones; the bar takes it over.
    void AddField(QWidget* field, int stretch = 0);

    QLabel* sourceField = nullptr;
    QLabel* stateField = nullptr;
    QLabel* rateField = nullptr;
    QLabel* fixField = nullptr;

private:
    QLabel* AddLabel(const char* name, const QString& text, int stretch);
    static void KeepRoomFor(QLabel* field, const QString& text);
};
