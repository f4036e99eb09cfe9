#pragma once

class QMdiArea;

// Window commands of the multiple-document frame that Qt does not have as such.

// Stacks the child windows that are not minimised one above another, each as wide
// as the area; minimised ones keep their icons.
void TileHorizontally(QMdiArea& area);

// Lines the minimised child windows up along the bottom edge, left to right.
void ArrangeIcons(QMdiArea& area);

// Minimises every child window, the last one first.
void MinimizeAll(QMdiArea& area);
