#include "QPainterCanvas.h"

#include <QtTest>

namespace {

QImage WhitePicture() {
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel that is not white.
QRect Inked(const QImage& image) {
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Qt::white) {
                inked |= QRect(x, y, 1, 1);
            }
        }
    }
    return inked;
}

}  // namespace

class QPainterCanvasTest : public QObject {
    Q_OBJECT

private slots:
    void ellipseFillsItsBoxWithoutTheRightAndBottomEdges() {
        for (const int size : {4, 11, 40, 100}) {
            QImage image = WhitePicture();
            {
                QPainterCanvas canvas(image, "Arial");
                canvas.SetPenColour(kBlue);
                canvas.SetFillColour(kRed);
                canvas.Ellipse({{5, 3}, {5 + size, 3 + size}});
            }
            QCOMPARE(Inked(image), QRect(5, 3, std::min(size, 115), std::min(size, 87)));
            if (size >= 11) {
                const int middle = size / 2;
                QCOMPARE(image.pixelColor(5, 3 + middle), QColor(0, 0, 255));
                QCOMPARE(image.pixelColor(5 + middle, 3 + middle), QColor(255, 0, 0));
            }
        }
    }

    void smallDiscsMatchDirectlyPaintedOnesEvenWhenClipped() {
        QImage copied = WhitePicture();
        QImage painted = WhitePicture();
        const QColor blue(0, 0, 255);
        {
            QPainterCanvas canvas(copied, "Arial");
            QPainter painter(&painted);
            painter.setPen(QPen(blue, 0));
            painter.setBrush(QColor(0, 128, 128));
            canvas.SetPenColour(kBlue);
            canvas.SetFillColour(kTeal);
            for (int i = 0; i < 60; ++i) {
                const int x = (i * 37) % 130 - 8;
                const int y = (i * 53) % 100 - 8;
                const int w = 1 + i % 40;
                const int h = std::max(1, w + (i % 7) - 3);  // flat ones too
                canvas.Ellipse({{x, y}, {x + w, y + h}});
                painter.drawEllipse(QRect(x, y, w - 1, h - 1));
            }
        }
        QCOMPARE(copied, painted);
    }

    void textIsOpaqueOnTheFillColour() {
        QImage image = WhitePicture();
        {
            QPainterCanvas canvas(image, "Arial");
            canvas.SetFillColour(kBlack);
            canvas.SetFontColour(kGreen);
            canvas.SetFontSize(14);
            canvas.Text({10, 10}, "N");
        }
        QCOMPARE(image.pixelColor(10, 10), QColor(0, 0, 0));
        QVERIFY(Inked(image).topLeft() == QPoint(10, 10));
        bool green = false;
        for (int y = 10; y < 40; ++y) {
            for (int x = 10; x < 40; ++x) {
                green = green || image.pixelColor(x, y) == QColor(0, 255, 0);
            }
        }
        QVERIFY(green);
    }

    void textWithoutASizeDrawsNothing() {
        QImage image = WhitePicture();
        {
            QPainterCanvas canvas(image, "Arial");
            canvas.SetFillColour(kBlack);
            canvas.SetFontSize(0);
            canvas.Text({10, 10}, "N");
        }
        QVERIFY(Inked(image).isNull());
    }
};

QTEST_MAIN(QPainterCanvasTest)
#include "QPainterCanvasTest.moc"
