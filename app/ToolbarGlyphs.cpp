#include "ToolbarGlyphs.h"

#include <QPainter>
#include <QPolygon>

#include "ProgramIcon.h"

namespace {

constexpr int kGlyphSize = 20;

void DrawOpen(QPainter& p) {
    p.setBrush(QColor(230, 190, 60));
    p.drawPolygon(QPolygon(
        {QPoint(2, 6), QPoint(8, 6), QPoint(10, 8), QPoint(17, 8), QPoint(17, 16), QPoint(2, 16)}));
}

void DrawSignalLevel(QPainter& p) {
    p.setBrush(QColor(0, 0, 255));
    for (int i = 0; i < 4; ++i) {
        const int height = 4 + 3 * i;
        p.drawRect(2 + 4 * i, 17 - height, 3, height);
    }
}

void DrawSkyPlot(QPainter& p) {
    p.setBrush(Qt::black);
    p.drawEllipse(1, 1, 17, 17);
    p.setPen(QColor(255, 255, 0));
    p.drawEllipse(5, 5, 9, 9);
    p.setBrush(QColor(0, 128, 128));
    p.setPen(QColor(0, 128, 128));
    p.drawEllipse(11, 4, 4, 4);
}

void DrawMap(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 17, 17);
    p.setPen(QColor(0, 128, 128));
    p.drawLine(1, 10, 18, 10);
    p.drawLine(10, 1, 10, 18);
    p.setBrush(QColor(0, 0, 255));
    p.setPen(QColor(0, 0, 255));
    p.drawEllipse(4, 12, 3, 3);
    p.setBrush(QColor(255, 0, 0));
    p.setPen(QColor(255, 0, 0));
    p.drawEllipse(12, 5, 4, 4);
}

void DrawStart(QPainter& p) {
    p.setBrush(QColor(0, 160, 0));
    p.drawPolygon(QPolygon({QPoint(5, 2), QPoint(17, 10), QPoint(5, 18)}));
}

void DrawStop(QPainter& p) {
    p.setBrush(QColor(200, 0, 0));
    p.drawRect(4, 4, 12, 12);
}

void DrawLogFile(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 12, 17);
    for (int y = 5; y <= 14; y += 3) {
        p.drawLine(6, y, 13, y);
    }
}

void DrawReceiverInit(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 160), 2));
    p.drawArc(3, 3, 14, 14, 90 * 16, 270 * 16);
    p.setBrush(QColor(0, 0, 160));
    p.drawPolygon(QPolygon({QPoint(10, 0), QPoint(14, 3), QPoint(10, 6)}));
}

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    switch (glyph) {
        case Glyph::Open:
            DrawOpen(painter);
            break;
        case Glyph::SignalLevel:
            DrawSignalLevel(painter);
            break;
        case Glyph::SkyPlot:
            DrawSkyPlot(painter);
            break;
        case Glyph::Map:
            DrawMap(painter);
            break;
        case Glyph::Start:
            DrawStart(painter);
            break;
        case Glyph::Stop:
            DrawStop(painter);
            break;
        case Glyph::LogFile:
            DrawLogFile(painter);
            break;
        case Glyph::ReceiverInit:
            DrawReceiverInit(painter);
            break;
    }
    return QIcon(pixmap);
}

QPixmap ProgramPicture(int size) {
    return ProgramIcon().pixmap(size);
}
