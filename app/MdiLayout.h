#pragma once

#include <QList>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

// Window commands of the multiple-document frame that Qt does not have as such.

// The visible child windows, minimised or not, in the order they were made.
QList<QMdiSubWindow*> ShownChildren(QMdiArea& area, bool minimized);

// Stacks the child windows that are not minimised one above another, each as wide
// as the area, above the strip along the bottom edge where the minimised ones' icons lie.
void TileHorizontally(QMdiArea& area);

// Lines the minimised child windows up along the bottom edge, left to right; returns
// the height of the strip their icons take (0 when none is minimised).
int ArrangeIcons(QMdiArea& area);

// Minimises every child window, the last one first.
void MinimizeAll(QMdiArea& area);

// The smallest size cascading leaves a child, when the area has room for it.
inline constexpr QSize kUsableChildSize{300, 150};

// Notes `child`'s size as the one cascading gives it back; called before it is first shown.
void RememberDesignSize(QMdiSubWindow& child);

// Staggers the child windows that are not minimised from the top-left corner, each one
// title bar lower and to the right, each at its design size or what fits the area from
// its corner, never smaller than kUsableChildSize while the area is larger; starts at the
// corner again when the next one would get less.
void CascadeViews(QMdiArea& area);
