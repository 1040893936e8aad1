#pragma once

#include "editor/AreaOperations.h"
#include "editor/MapEditing.h"
#include "editor/MapSelection.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

struct Level;

// The tools of the map, chosen by a key or from the map's menu.
enum class Tool {
    Brush, // one cell a press, painting along a drag: the map's own way
    Rectangle, // press, drag, release: every cell of a rectangle
    Fill, // the region of like tiles around a cell
    Line, // press, drag, release: every cell of a straight line
    Pick, // the kind under the pointer becomes the selection
    Select, // press, drag, release: a rectangle of cells; a drag inside it moves what it holds
};

// What the map outlines while a rectangle or a line is dragged, in cells.
struct ToolPreview
{
    enum class Shape { None, Rectangle, Line };
    Shape shape = Shape::None;
    QRect rectangle; // the rectangle, or the bounds of the line
    std::vector<QPoint> cells; // the line's cells

    friend bool operator==(const ToolPreview&, const ToolPreview&) = default;
};

// The active tool, and what it is doing between a press and a release. It
// turns presses, moves and releases on the map's cells into level
// operations; the brush is not among them (the main window paints with it
// as it always has), and neither is any tool but Pick and Select while the
// player start is selected, which the others place as the brush does.
// It keeps the selection of cells, which outlives the select tool: the
// clipboard's commands work on it whichever tool is active.
class MapTools
{
public:
    Tool tool() const { return m_tool; }
    // Pick remembers the tool to come back to once it has picked.
    void choose(Tool tool);

    // Whether a press with `selected` is the brush's.
    bool actsAsBrush(SelType selected) const;
    bool isDragging() const { return m_drag.has_value() || m_selection.drag() != MapSelection::Drag::None; }
    ToolPreview preview() const;

    struct Press
    {
        PaletteSelection selection;
        int view = 0;
        MouseButtons buttons;
        QPoint cell;
    };
    struct Outcome
    {
        // Applied to the level, to be recorded; none when nothing changed.
        std::unique_ptr<AreaCommand> step;
        // An operation refused whole: the level could not hold its entities.
        bool levelFull = false;
        // What Pick found under the pointer.
        std::optional<PaletteSelection> picked;
    };

    // A press: Fill fills and Pick picks at once; Rectangle and Line start a
    // drag, and a press while one is under way is part of it.
    Outcome press(Level& level, const Press& press);
    // The pointer moved to `cell` with a button held; true when the preview changed.
    bool move(QPoint cell);
    // The last button went up over `cell`: a dragged rectangle or line is applied.
    Outcome release(Level& level, QPoint cell);
    // Drops a drag under way without changing the level.
    void cancel();

    MapSelection& selection() { return m_selection; }
    const MapSelection& selection() const { return m_selection; }

private:
    struct Drag
    {
        PaletteSelection selection;
        int view = 0;
        bool erase = false;
        QPoint anchor;
        QPoint current;
    };

    Tool m_tool = Tool::Brush;
    Tool m_beforePick = Tool::Brush;
    std::optional<Drag> m_drag;
    MapSelection m_selection;
    // The layer whose block the selection is moving.
    int m_moveView = 0;
};

namespace maptools {

// What Pick takes from a cell of `view`: the player start where it stands,
// else the entity drawn on top of the view's own, else the view's own tile;
// on a corner screen without a tile of its own, what shows through from the
// main level. No value outside the grid.
std::optional<PaletteSelection> pickAt(const Level& level, int view, QPoint cell);

} // namespace maptools
