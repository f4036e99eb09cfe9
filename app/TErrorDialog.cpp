#include "TErrorDialog.h"

#include <QFrame>
#include <QLabel>

#include "ScreenCentre.h"

TErrorDialog::TErrorDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ErrorDialog");
    setWindowTitle("ErrorDialog");
    setFixedSize(330, 113);
    setAutoFillBackground(true);
    QPalette red = palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    setPalette(red);

    auto* bevel = new QFrame(this);
    bevel->setObjectName("Bevel1");
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Raised);
    bevel->setGeometry(8, 8, 314, 97);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(25, 33, 280, 46);
    Label1->setAlignment(Qt::AlignCenter);
    QFont font = Label1->font();
    font.setPixelSize(25);
    Label1->setFont(font);
    QPalette black = Label1->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(black);

    reasonlabel = new QLabel(this);
    reasonlabel->setObjectName("reasonlabel");
    reasonlabel->setGeometry(14, 79, 302, 24);
    reasonlabel->setAlignment(Qt::AlignCenter);
    reasonlabel->setWordWrap(true);
    QFont small = reasonlabel->font();
    small.setPixelSize(10);  // two lines fit under the message
    reasonlabel->setFont(small);
    reasonlabel->setPalette(black);
    reasonlabel->hide();
    CentreOnScreen(*this);
}

void TErrorDialog::SetReason(const QString& text) {
    reasonlabel->setText(text);
    reasonlabel->setVisible(!text.isEmpty());
}
