#pragma once

#include <QFlags>
#include <QPoint>
#include <QPointF>
#include <QtGlobal>

#include <vector>

class LevelEditCommand;

// What the palettes have selected: the kind of thing a press on the map
// places, numbered as the main window has always numbered it.
enum class SelType : qint16 {
    Player = -1,
    Tile = 0,
    Entity = 1,
};

struct PaletteSelection
{
    SelType type = SelType::Tile;
    // The tile or entity kind; -1 with the player start.
    qint16 index = 1;

    friend bool operator==(const PaletteSelection&, const PaletteSelection&) = default;
};

// Mouse buttons as the map's handlers number them; a move passes those held.
enum class MouseButton {
    Left = 1,
    Right = 2,
    Middle = 4,
};
Q_DECLARE_FLAGS(MouseButtons, MouseButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MouseButtons)

// What a mouse button pressed over the map does to the level, given the
// palette selection and the shown view. Positions are in twips on the map.
namespace mapediting {

struct Outcome
{
    // The cells to draw again, in this order; some may lie outside the grid.
    std::vector<QPoint> cells;
    // The press counts as an unsaved change, also one outside the grid or
    // one that changed nothing; only a refused entity does not.
    bool marksChanged = false;
    // An entity was refused because the level holds all it can.
    bool levelFull = false;
};

// Applies one press, or one step of a drag, to the gesture's level and
// records it in the gesture: paints (left button alone) or erases a tile,
// places (left button alone) or removes an entity, or moves the player start.
[[nodiscard]] Outcome mouseDown(LevelEditCommand& gesture, PaletteSelection selection, int view, MouseButtons buttons, QPointF at);

} // namespace mapediting
