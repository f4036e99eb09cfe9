#include "TTracking.h"

#include <QAction>
#include <QFont>
#include <QMenu>

#include "ImagePane.h"
#include "QPainterCanvas.h"

namespace {

const QString kLabelFont = "MS Sans Serif";

}  // namespace

TTracking::TTracking(AppState& state, const NavState& nav, TrackHistory& track, MapCentre& centre,
                     QWidget* parent)
    : TMDIChild(parent), state_(state), nav_(nav), plotter_(state, track, centre) {
    setObjectName("Tracking");
    setWindowTitle("Map View");
    Image = new ImagePane(kWhite);
    Image->setObjectName("Image");
    QFont font(kLabelFont);
    font.setPixelSize(13);
    Image->setFont(font);
    Image->NewPicture(QSize(kPictureWidth, kPictureHeight), kWhite);
    setWidget(Image);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    setcenter = PopupMenu1->addAction("&Set Center");
    setcenter->setObjectName("setcenter");
    connect(setcenter, &QAction::triggered, this, &TTracking::setcenterClick);
    connect(Image, &ImagePane::mouseReleased, this, &TTracking::ShowPopup);
    resize(890, 607);
    move(91, 68);
    FormResize();
}

TTracking::~TTracking() {
    state_.mapViewOpen = 0;
}

const QImage& TTracking::Picture() const {
    return Image->Picture();
}

void TTracking::ResetTrack(AppState& state) {
    MapPlotter::ResetTrack(state);
}

void TTracking::PlotFix() {
    {
        QPainterCanvas canvas(Image->Picture(), kLabelFont, canvasState_);
        plotter_.PlotFix(canvas, width(), height(), nav_);
        canvasState_ = canvas.State();
    }
    Image->update();
}

void TTracking::FormResize() {
    if (Image == nullptr) {
        return;  // a resize before the picture exists
    }
    {
        QPainterCanvas canvas(Image->Picture(), kLabelFont, canvasState_);
        plotter_.Redraw(canvas, width(), height());
        canvasState_ = canvas.State();
    }
    Image->update();
}

void TTracking::setcenterClick() {
    {
        QPainterCanvas canvas(Image->Picture(), kLabelFont, canvasState_);
        plotter_.SetCentre(canvas);
    }
    Image->update();
}

void TTracking::PaintWhite() {
    Image->Picture().fill(Qt::white);
    Image->update();
}

void TTracking::resizeEvent(QResizeEvent* event) {
    TMDIChild::resizeEvent(event);
    FormResize();
}

void TTracking::ShowPopup(Qt::MouseButton button, QPoint globalPosition) {
    if (button == Qt::RightButton) {
        PopupMenu1->popup(globalPosition);
    }
}
