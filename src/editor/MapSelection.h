#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// The selected rectangle of cells on the map, and the select tool's drag:
// marking a new rectangle, or moving the selected block. It knows the size
// of the grid, so a selection never reaches beyond it. It frames cells only;
// what they hold is on whichever layer is shown.
class MapSelection
{
public:
    // The selected cells, all within the grid; empty when nothing is selected.
    QRect cells() const;
    bool isEmpty() const { return !m_selected; }

    // Selects the rectangle between two cells of a grid of size `grid`, each
    // corner moved into the grid. The anchor stays where it is while the
    // other corner is extended, by a drag or from the keyboard.
    void select(QPoint anchor, QPoint corner, QSize grid);
    void extendTo(QPoint corner);
    QPoint anchor() const { return m_anchor; }
    void selectAll(QSize grid);
    void clear();

    // The select tool's drag, in cells.
    enum class Drag { None, Marking, Moving };
    Drag drag() const { return m_drag; }
    // A press inside the selection lifts the block to move it; anywhere else
    // it begins a new rectangle there.
    void press(QPoint cell, QSize grid);
    // The pointer moved to `cell`; true when what the map frames changed.
    bool dragTo(QPoint cell);
    // The last button went up over `cell`. For a move, how far the block
    // goes, and the selection then frames it where it lands; no value for a
    // marking or a move that went nowhere.
    std::optional<QPoint> release(QPoint cell);
    // Ends a drag: a block being moved stays where it was.
    void cancel();

    // What the map frames: the selection, or while a block is being moved,
    // where it would land, which may reach beyond the grid.
    QRect frame() const;

private:
    void frameCells(QRect cells);

    QSize m_grid;
    bool m_selected = false;
    QPoint m_anchor;
    QPoint m_corner;
    Drag m_drag = Drag::None;
    // Moving: where the block was taken, and where the pointer is now.
    QPoint m_grabbed;
    QPoint m_pointer;
};
