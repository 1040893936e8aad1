#include "editor/MapView.h"

#include "editor/MapGeometry.h"

#include <algorithm>

namespace mapview {

namespace {

using mapgeometry::cellPitch;
using mapgeometry::cellTwips;

// The first cell that starts at or after `twips`, within `count` cells.
int firstWholeCell(int twips, int count)
{
    const int cell = (twips - mapgeometry::margin + cellPitch - 1) / cellPitch;
    return std::clamp(twips <= mapgeometry::margin ? 0 : cell, 0, count - 1);
}

QRect cellRect(QPoint cell)
{
    return QRect(cellTwips(cell.x()), cellTwips(cell.y()), cellPitch, cellPitch);
}

// The start on one axis of a view `length` long, now at `start`, that brings
// [from, to) into it on a map `extent` long: where it is when that shows
// already, else centred on it when it fits, from its start when not.
int startToShow(int from, int to, int start, int length, int extent)
{
    if (from >= start && to <= start + length)
        return start;
    const int moved = to - from <= length ? (from + to - length) / 2 : from;
    return std::clamp(moved, 0, std::max(0, extent - length));
}

} // namespace

QPoint firstVisibleCell(QRect visible, QSize grid)
{
    return QPoint(firstWholeCell(visible.left(), grid.width()), firstWholeCell(visible.top(), grid.height()));
}

QPoint scrollToShow(QRect visible, const std::vector<QPoint>& cells, QSize grid)
{
    const QRect gridCells(QPoint(0, 0), grid);
    QRect bounds;
    for (const QPoint& cell : cells) {
        if (!gridCells.contains(cell))
            continue;
        if (visible.contains(cellRect(cell)))
            return visible.topLeft();
        bounds |= cellRect(cell);
    }
    if (bounds.isEmpty())
        return visible.topLeft();
    return QPoint(
        startToShow(bounds.left(), bounds.left() + bounds.width(), visible.left(), visible.width(), mapgeometry::innerTwips(grid.width())),
        startToShow(bounds.top(), bounds.top() + bounds.height(), visible.top(), visible.height(), mapgeometry::innerTwips(grid.height())));
}

} // namespace mapview
