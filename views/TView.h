#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "AppState.h"
#include "CanvasTypes.h"
#include "GnssEpoch.h"
#include "NavState.h"
#include "TMDIChild.h"

class ImagePane;

// "Tracking View": the sky plot of the satellites in view with the course-and-speed
// line, redrawn once a second. A right-click opens the configuration dialog, through
// `showSettings` (the dialog is created after the view at start-up).
class TView : public TMDIChild {
    Q_OBJECT

public:
    TView(AppState& state, const NavState& nav, std::function<void()> showSettings,
          QWidget* parent = nullptr);
    ~TView() override;  // FormDestroy

    // Redraws the whole plot from the navigation record, for the window's outer size now.
    void DrawSkyPlot();

    // Mouse-button release over the window: the right button shows the dialog.
    void FormMouseUp(Qt::MouseButton button);

    const QImage& Picture() const;

    // The satellites of every system to plot instead of the channel slots; nothing while the
    // program shows the GPS talker alone (null: never).
    std::function<std::optional<std::vector<SatelliteSignal>>()> allSystemsSky;

private:
    AppState& state_;
    const NavState& nav_;
    std::function<void()> showSettings_;
    ImagePane* pane_ = nullptr;
    // Colours and font carried from one redraw to the next, as on a window's own canvas.
    CanvasState canvasState_;
};
