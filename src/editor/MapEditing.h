#pragma once

#include <QPoint>

#include <vector>

class LevelEditCommand;

// What a mouse button pressed over the map does to the level, given the
// palette selection and the shown view. Positions are in twips on the map.
namespace mapediting {

// Mouse buttons as the handlers number them; a move passes their sum.
enum Button { Left = 1, Right = 2, Middle = 4 };

struct Outcome
{
    // The cells to draw again, in this order; some may lie outside the grid.
    std::vector<QPoint> cells;
    // An entity was refused because the level holds all it can.
    bool levelFull = false;
};

// Applies one press, or one step of a drag, to the gesture's level and
// records it in the gesture: paints or erases a tile (selType 0), places or
// removes an entity (selType 1), or moves the player start (selType -1).
// Sets levelChanged, also for a press outside the grid, except when a
// duplicate entity or one too many is refused.
[[nodiscard]] Outcome mouseDown(LevelEditCommand& gesture, int selType, int selIndex, int view, int button, double X, double Y);

} // namespace mapediting
