#pragma once

class QWidget;

// Places a top-level window in the middle of the primary screen's free area. A dialog so
// placed keeps that place when shown, instead of being centred over its parent.
void CentreOnScreen(QWidget& window);
