#include "TView.h"

#include "ImagePane.h"
#include "QPainterCanvas.h"
#include "SkyPlot.h"
#include "SystemsSkyPlot.h"

TView::TView(AppState& state, const NavState& nav, std::function<void()> showSettings,
             QWidget* parent)
    : TMDIChild(parent), state_(state), nav_(nav), showSettings_(std::move(showSettings)) {
    setObjectName("View");
    setWindowTitle("Tracking View");
    pane_ = new ImagePane(kBlack);
    pane_->setObjectName("ViewPane");
    pane_->NewPicture(size(), kBlack);
    setWidget(pane_);
    connect(pane_, &ImagePane::mouseReleased, this,
            [this](Qt::MouseButton button, QPoint) { FormMouseUp(button); });
}

TView::~TView() {
    state_.trackingViewOpen = 0;
}

const QImage& TView::Picture() const {
    return pane_->Picture();
}

void TView::DrawSkyPlot() {
    // A resized window shows black until it is drawn again.
    if (pane_->Picture().size() != size()) {
        pane_->NewPicture(size(), kBlack);
    }
    {
        QPainterCanvas canvas(pane_->Picture(), "MS Sans Serif", canvasState_);
        const auto sky = allSystemsSky ? allSystemsSky() : std::nullopt;
        if (sky) {
            RenderSystemsSkyPlot(canvas, width(), height(), *sky, nav_, state_.velocityScale);
        } else {
            RenderSkyPlot(canvas, width(), height(), nav_, state_.velocityScale);
        }
        canvasState_ = canvas.State();
    }
    pane_->update();
}

void TView::FormMouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton && showSettings_) {
        showSettings_();
    }
}
