#include "TMDIChild.h"

TMDIChild::TMDIChild(QWidget* parent) : QMdiSubWindow(parent) {
    setWindowTitle("MDI Child");
    resize(kDefaultWidth, kDefaultHeight);
    // Closing a view destroys it; the main window creates it anew on demand.
    setAttribute(Qt::WA_DeleteOnClose);
}
