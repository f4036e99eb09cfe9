#include "MainStatusBar.h"

#include <QLabel>

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar1");
    setSizeGripEnabled(true);
    sourceField = AddLabel("sourceField", QString(), 1);
    stateField = AddLabel("stateField", "Stopped", 0);
    rateField = AddLabel("rateField", QString(), 0);
    fixField = AddLabel("fixField", "No fix", 0);
    // The source gives way first; the others keep room for their usual texts and take
    // more (a long state) when the window has it.
    KeepRoomFor(stateField, "No data for 999 s");
    KeepRoomFor(rateField, "100 sentences/s");
    KeepRoomFor(fixField, "3D fix, 12 satellites");
}

void MainStatusBar::KeepRoomFor(QLabel* field, const QString& text) {
    field->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(text) + 8);
}

QLabel* MainStatusBar::AddLabel(const char* name, const QString& text, int stretch) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    // A long source name must not widen the main window; the full text is in the tooltip.
    label->setMinimumWidth(0);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    AddField(label, stretch);
    return label;
}

void MainStatusBar::AddField(QWidget* field, int stretch) {
    addPermanentWidget(field, stretch);
}

namespace {

void Show(QLabel* field, const QString& text) {
    if (field->text() != text) {
        field->setText(text);
        field->setToolTip(text);
    }
}

}  // namespace

void MainStatusBar::SetSource(const QString& text) {
    Show(sourceField, text);
}
void MainStatusBar::SetState(const QString& text) {
    Show(stateField, text);
}
void MainStatusBar::SetSentenceRate(const QString& text) {
    Show(rateField, text);
}
void MainStatusBar::SetFix(const QString& text) {
    Show(fixField, text);
}
