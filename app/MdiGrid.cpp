#include "MdiGrid.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <cmath>
#include <limits>

#include "MdiLayout.h"

namespace {

struct Grid {
    int columns = 1;
    int rows = 1;
};

// How far a cell of the grid is from square: 0 for a square, growing either way.
double Squareness(const QRect& client, Grid grid) {
    const double width = static_cast<double>(client.width()) / grid.columns;
    const double height = static_cast<double>(client.height()) / grid.rows;
    return width <= 0.0 || height <= 0.0 ? std::numeric_limits<double>::max()
                                         : std::abs(std::log(width / height));
}

Grid ChooseGrid(const QRect& client, int count) {
    Grid best{count, 1};
    for (int columns = 1; columns <= count; ++columns) {
        const Grid grid{columns, (count + columns - 1) / columns};
        const double score = Squareness(client, grid);
        const double bestScore = Squareness(client, best);
        const bool fewerEmpty = grid.columns * grid.rows < best.columns * best.rows;
        if (score < bestScore - 1e-9 || (score < bestScore + 1e-9 && fewerEmpty)) {
            best = grid;
        }
    }
    return best;
}

}  // namespace

std::vector<QRect> GridCells(const QRect& client, int count) {
    std::vector<QRect> cells;
    if (count <= 0) {
        return cells;
    }
    const Grid grid = ChooseGrid(client, count);
    // Edges by multiplication first, so the pixels left over by the division spread out.
    auto left = [&](int column) { return client.left() + column * client.width() / grid.columns; };
    auto top = [&](int row) { return client.top() + row * client.height() / grid.rows; };
    for (int index = 0; index < count; ++index) {
        const int row = index / grid.columns;
        const int column = index % grid.columns;
        const int lastColumn = index == count - 1 ? grid.columns : column + 1;
        cells.emplace_back(QPoint(left(column), top(row)),
                           QPoint(left(lastColumn) - 1, top(row + 1) - 1));
    }
    return cells;
}

void TileGrid(QMdiArea& area, const std::function<bool(const QMdiSubWindow*)>& isPlot) {
    const int iconStrip = ArrangeIcons(area);
    QList<QMdiSubWindow*> children = ShownChildren(area, false);
    std::stable_partition(children.begin(), children.end(), isPlot);
    const QRect client = area.viewport()->rect().adjusted(0, 0, 0, -iconStrip);
    const std::vector<QRect> cells = GridCells(client, static_cast<int>(children.size()));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (children[i]->isMaximized()) {
            children[i]->showNormal();
        }
        children[i]->setGeometry(cells[i]);
    }
}
