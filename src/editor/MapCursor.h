#pragma once

#include <QPoint>
#include <QSize>

// The cell the keyboard works on: it stays on the grid of the level, however
// the grid changes size.
class MapCursor
{
public:
    QPoint cell() const { return m_cell; }

    // Puts the cursor on `cell`, or on the grid's nearest cell; true when it moved.
    bool place(QPoint cell, QSize grid);
    // Moves it by whole cells, stopping at the grid's edges; true when it moved.
    bool move(int dx, int dy, QSize grid) { return place(m_cell + QPoint(dx, dy), grid); }
    // Keeps it on a grid that has changed size.
    void fit(QSize grid) { place(m_cell, grid); }

private:
    QPoint m_cell{0, 0};
};

namespace mapcursor {

// A scroll value (in the map's designed twips) that shows the stretch from
// `from` to `to` in a view `visible` twips long, moving as little as it can
// from `value` and leaving a margin beside the stretch where there is room;
// within 0 and `maximum`.
int valueShowing(int value, double visible, int from, int to, int maximum);

} // namespace mapcursor
