#include "TTracking.h"

#include <QAction>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

#include "ImagePane.h"
#include "MapZoom.h"
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
    CreateZoomItems();
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

void TTracking::CreateZoomItems() {
    auto addItem = [this](const char* name, const char* caption, const QKeySequence& keys,
                          void (TTracking::*click)()) {
        QAction* item = PopupMenu1->addAction(caption);
        item->setObjectName(name);
        item->setShortcut(keys);  // shown in the menu; the keys themselves reach keyPressEvent
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this, click);
        return item;
    };
    zoomin = addItem("zoomin", "Zoom &In", QKeySequence(Qt::Key_Plus), &TTracking::zoominClick);
    zoomout =
        addItem("zoomout", "Zoom &Out", QKeySequence(Qt::Key_Minus), &TTracking::zoomoutClick);
    zoomtotrack =
        addItem("zoomtotrack", "Zoom to &Track", QKeySequence(), &TTracking::zoomtotrackClick);
    Image->setFocusPolicy(Qt::ClickFocus);
    Image->installEventFilter(this);  // the wheel over the picture zooms
}

bool TTracking::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return TMDIChild::eventFilter(watched, event);
}

void TTracking::SetZoomIndex(int index) {
    const int step = MapZoom::Clamp(index);
    if (step == state_.mapZoomIndex) {
        return;
    }
    state_.mapZoomIndex = step;
    FormResize();  // rings, label and the whole track at the new scale
}

void TTracking::zoominClick() {
    SetZoomIndex(MapZoom::In(state_.mapZoomIndex));
}

void TTracking::zoomoutClick() {
    SetZoomIndex(MapZoom::Out(state_.mapZoomIndex));
}

void TTracking::zoomtotrackClick() {
    SetZoomIndex(
        MapZoom::HoldingTrack(state_, plotter_.Track(), plotter_.Centre(), state_.mapZoomIndex));
}

void TTracking::wheelEvent(QWheelEvent* event) {
    wheelTurn_ += event->angleDelta().y();
    // One step per notch (120); a fine-grained wheel adds up to a notch first.
    while (wheelTurn_ >= kWheelNotch) {
        wheelTurn_ -= kWheelNotch;
        zoominClick();
    }
    while (wheelTurn_ <= -kWheelNotch) {
        wheelTurn_ += kWheelNotch;
        zoomoutClick();
    }
    event->accept();
}

void TTracking::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:  // "+" without Shift on most layouts
            zoominClick();
            break;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            zoomoutClick();
            break;
        default:
            TMDIChild::keyPressEvent(event);
            return;
    }
    event->accept();
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
