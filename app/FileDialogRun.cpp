#include "FileDialogRun.h"

#include <QApplication>
#include <QFileDialog>
#include <QWidget>

namespace {

constexpr int kMostPopups = 16;  // popups nest a few deep at most

void CloseLeftoverPopups() {
    for (int i = 0; i < kMostPopups; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) {
            return;
        }
        popup->close();
    }
}

}  // namespace

QString RunFileDialogClosingPopups(QFileDialog& dialog) {
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    CloseLeftoverPopups();
    return chosen ? dialog.selectedFiles().first() : QString();
}
