#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QWidget>

// Every caption fits the fixed size of its control, so nothing is cut off on screen.
inline void VerifyTextsFit(const QWidget& dialog) {
    for (const QWidget* control : dialog.findChildren<QWidget*>()) {
        const bool hasCaption = qobject_cast<const QLabel*>(control) != nullptr ||
                                qobject_cast<const QAbstractButton*>(control) != nullptr;
        if (hasCaption) {
            QVERIFY2(control->sizeHint().width() <= control->width(),
                     qPrintable(control->objectName()));
            QVERIFY2(control->sizeHint().height() <= control->height() + 2,
                     qPrintable(control->objectName()));
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
            const int titleWidth = group->fontMetrics().horizontalAdvance(group->title());
            QVERIFY2(titleWidth + 16 <= group->width(), qPrintable(group->objectName()));
        }
        // Controls stay inside the dialog or group that holds them.
        const QWidget* holder = control->parentWidget();
        if (holder == &dialog || qobject_cast<const QGroupBox*>(holder) != nullptr) {
            QVERIFY2(holder->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
        }
    }
}
