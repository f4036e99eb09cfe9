#pragma once

class QMdiArea;

// Window commands of the multiple-document frame that Qt does not have as such.

// Stacks the child windows that are not minimised one above another, each as wide
// as the area, above the strip along the bottom edge where the minimised ones' icons lie.
void TileHorizontally(QMdiArea& area);

// Lines the minimised child windows up along the bottom edge, left to right; returns
// the height of the strip their icons take (0 when none is minimised).
int ArrangeIcons(QMdiArea& area);

// Minimises every child window, the last one first.
void MinimizeAll(QMdiArea& area);
