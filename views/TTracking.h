#pragma once

#include "AppState.h"
#include "CanvasTypes.h"
#include "MapCentre.h"
#include "MapPlotter.h"
#include "NavState.h"
#include "TMDIChild.h"
#include "TrackHistory.h"

class ImagePane;
class QAction;
class QMenu;

// "Map View": the track of positions around a centre inside two range rings, drawn
// into a retained 1025 x 721 picture. The track and centre outlive the window.
class TTracking : public TMDIChild {
    Q_OBJECT

public:
    static constexpr int kPictureWidth = 1025;
    static constexpr int kPictureHeight = 721;

    TTracking(AppState& state, const NavState& nav, TrackHistory& track, MapCentre& centre,
              QWidget* parent = nullptr);
    ~TTracking() override;  // FormDestroy

    // Appends the current position and draws the newest two points.
    void PlotFix();
    // Redraws the rings and the whole track for the window's outer size now.
    void FormResize();
    // "&Set Center": clears the picture and forgets the track.
    void setcenterClick();
    // Paints the whole picture white (rings and points go until the next resize).
    void PaintWhite();
    // Forgets the track; usable while no map window exists.
    static void ResetTrack(AppState& state);

    const QImage& Picture() const;

    // Zoom items after "&Set Center": one step in or out, or the smallest step that
    // holds the whole track. The wheel and the + and - keys step the same way.
    void zoominClick();
    void zoomoutClick();
    void zoomtotrackClick();

    QMenu* PopupMenu1 = nullptr;
    QAction* setcenter = nullptr;
    QAction* zoomin = nullptr;
    QAction* zoomout = nullptr;
    QAction* zoomtotrack = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kWheelNotch = 120;  // angle delta of one wheel notch

    void CreateZoomItems();
    void SetZoomIndex(int index);
    void ShowPopup(Qt::MouseButton button, QPoint globalPosition);

    AppState& state_;
    const NavState& nav_;
    MapPlotter plotter_;
    ImagePane* Image = nullptr;
    CanvasState canvasState_;
    int wheelTurn_ = 0;
};
