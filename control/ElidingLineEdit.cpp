#include "ElidingLineEdit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace {

constexpr int kTextMargin = 2;  // what a line edit leaves beside its text

}  // namespace

void ElidingLineEdit::InstallIn(QComboBox& box) {
    const QString text = box.currentText();
    box.setLineEdit(new ElidingLineEdit(&box));
    box.setEditText(text);
    FitList(box);
}

void ElidingLineEdit::FitList(QComboBox& box) {
    QAbstractItemView& list = *box.view();
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.verticalScrollBar()->sizeHint().width();
    list.setMinimumWidth(list.sizeHintForColumn(0) + frame + scrollBar);
}

QRect ElidingLineEdit::TextRoom() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.marginsRemoved(textMargins()).adjusted(kTextMargin, 0, -kTextMargin, 0);
}

bool ElidingLineEdit::IsElided() const {
    return fontMetrics().horizontalAdvance(text()) > TextRoom().width();
}

void ElidingLineEdit::paintEvent(QPaintEvent* event) {
    if (hasFocus() || !IsElided()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect room = TextRoom();
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()));
}

bool ElidingLineEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && IsElided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLineEdit::event(event);
}
