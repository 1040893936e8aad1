#include "editor/MapSelection.h"

#include "editor/AreaOperations.h"

#include <algorithm>

namespace {

QPoint intoGrid(QPoint cell, QSize grid)
{
    return QPoint(std::clamp(cell.x(), 0, grid.width() - 1), std::clamp(cell.y(), 0, grid.height() - 1));
}

} // namespace

QRect MapSelection::cells() const
{
    return m_selected ? areaops::cellSpan(m_anchor, m_corner) : QRect();
}

void MapSelection::select(QPoint anchor, QPoint corner, QSize grid)
{
    m_grid = grid;
    m_selected = !grid.isEmpty();
    if (!m_selected)
        return;
    m_anchor = intoGrid(anchor, grid);
    m_corner = intoGrid(corner, grid);
}

void MapSelection::extendTo(QPoint corner)
{
    if (m_selected)
        m_corner = intoGrid(corner, m_grid);
}

void MapSelection::selectAll(QSize grid)
{
    select(QPoint(0, 0), QPoint(grid.width() - 1, grid.height() - 1), grid);
}

void MapSelection::clear()
{
    m_selected = false;
    m_drag = Drag::None;
}

void MapSelection::frameCells(QRect cells)
{
    const QRect inside = cells & QRect(QPoint(0, 0), m_grid);
    if (inside.isEmpty()) {
        clear();
        return;
    }
    // The anchor keeps its corner of the rectangle.
    const bool anchorRight = m_anchor.x() > m_corner.x();
    const bool anchorBelow = m_anchor.y() > m_corner.y();
    m_anchor = QPoint(anchorRight ? inside.right() : inside.left(), anchorBelow ? inside.bottom() : inside.top());
    m_corner = QPoint(anchorRight ? inside.left() : inside.right(), anchorBelow ? inside.top() : inside.bottom());
}

void MapSelection::press(QPoint cell, QSize grid)
{
    if (m_selected && m_grid == grid && cells().contains(cell)) {
        m_drag = Drag::Moving;
        m_grabbed = cell;
        m_pointer = cell;
        return;
    }
    select(cell, cell, grid);
    m_drag = m_selected ? Drag::Marking : Drag::None;
}

bool MapSelection::dragTo(QPoint cell)
{
    switch (m_drag) {
    case Drag::None:
        break;
    case Drag::Marking: {
        const QPoint before = m_corner;
        extendTo(cell);
        return m_corner != before;
    }
    case Drag::Moving:
        if (m_pointer == cell)
            return false;
        m_pointer = cell;
        return true;
    }
    return false;
}

std::optional<QPoint> MapSelection::release(QPoint cell)
{
    dragTo(cell);
    const Drag drag = m_drag;
    m_drag = Drag::None;
    const QPoint by = m_pointer - m_grabbed;
    if (drag != Drag::Moving || by.isNull())
        return std::nullopt;
    frameCells(cells().translated(by));
    return by;
}

void MapSelection::cancel()
{
    m_drag = Drag::None;
}

QRect MapSelection::frame() const
{
    return m_drag == Drag::Moving ? cells().translated(m_pointer - m_grabbed) : cells();
}
