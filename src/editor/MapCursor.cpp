#include "editor/MapCursor.h"

#include "editor/MapGeometry.h"

#include <algorithm>
#include <cmath>

bool MapCursor::place(QPoint cell, QSize grid)
{
    const QPoint kept(std::clamp(cell.x(), 0, std::max(grid.width() - 1, 0)), std::clamp(cell.y(), 0, std::max(grid.height() - 1, 0)));
    if (kept == m_cell)
        return false;
    m_cell = kept;
    return true;
}

namespace mapcursor {

int valueShowing(int value, double visible, int from, int to, int maximum)
{
    // The map's own margin: a cell at the edge of the grid shows with the margin beside it.
    const double margin = mapgeometry::margin;
    double shown = value;
    if (to + margin > shown + visible)
        shown = to + margin - visible;
    if (from - margin < shown)
        shown = from - margin;
    return std::clamp(static_cast<int>(std::lround(shown)), 0, std::max(maximum, 0));
}

} // namespace mapcursor
