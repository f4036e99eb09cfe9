#pragma once

#include <QIcon>

// The program's icon, a sky plot: the window icon of the main window, the views and the
// dialogs. Its sizes are compiled in from app/icons.
QIcon ProgramIcon();
