#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include "CanvasTypes.h"

// The inner widget of a drawn view: shows a retained picture from its top-left
// corner on a plain background and reports mouse-button releases.
class ImagePane : public QWidget {
    Q_OBJECT

public:
    // The pictures are laid out for 120 pixels per inch, so point sizes of the
    // labels come out as large as on the screen the views were designed for.
    static constexpr int kDotsPerInch = 120;

    explicit ImagePane(Rgb background, QWidget* parent = nullptr);

    QImage& Picture() { return picture_; }
    const QImage& Picture() const { return picture_; }

    // Replaces the picture with one of `size` filled with `fill`.
    void NewPicture(QSize size, Rgb fill);

signals:
    void mouseReleased(Qt::MouseButton button, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor background_;
    QImage picture_;
};
