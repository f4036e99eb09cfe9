#pragma once

#include <QRect>
#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

// "Tile Grid": the child windows in rows and columns whose cells are as near to square
// as the area allows, so the round plots (sky plot and map) get room in both directions.

// The cells of `count` windows in `client`, row by row, left to right. The grid is the one
// whose cells come nearest to square, with no empty row; of equals, the one that leaves
// fewer cells empty. The last window stretches over the empty cells of the last row.
std::vector<QRect> GridCells(const QRect& client, int count);

// Lays the visible child windows that are not minimised out in GridCells, those that
// `isPlot` picks first, above the strip of the minimised ones' icons.
void TileGrid(QMdiArea& area, const std::function<bool(const QMdiSubWindow*)>& isPlot);
