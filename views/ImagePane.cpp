#include "ImagePane.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "QPainterCanvas.h"

namespace {

constexpr double kInchesPerMetre = 1.0 / 0.0254;

}  // namespace

ImagePane::ImagePane(Rgb background, QWidget* parent)
    : QWidget(parent), background_(QPainterCanvas::ToQColor(background)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImagePane::NewPicture(QSize size, Rgb fill) {
    picture_ = QImage(size, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(kDotsPerInch * kInchesPerMetre));
    picture_.setDotsPerMeterX(dotsPerMetre);
    picture_.setDotsPerMeterY(dotsPerMetre);
    picture_.fill(QPainterCanvas::ToQColor(fill));
    update();
}

void ImagePane::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.drawImage(QPoint(0, 0), picture_);
}

void ImagePane::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(event);
}
