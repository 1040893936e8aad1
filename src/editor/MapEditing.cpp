#include "editor/MapEditing.h"

#include "editor/MapGeometry.h"
#include "model/LevelEditCommand.h"

namespace mapediting {

namespace {

// Places an entity of the selected kind unless one like it stands there;
// false when nothing was placed.
bool placeEntity(LevelEditCommand& gesture, int kind, int view, int x, int y, Outcome& outcome)
{
    if (levelops::findEntity(gesture.level(), view, x, y, kind) >= 0)
        return false;
    const Entity entity{static_cast<qint16>(view), static_cast<qint16>(x), static_cast<qint16>(y), static_cast<qint16>(kind)};
    if (!gesture.placeEntity(entity)) {
        outcome.levelFull = true;
        return false;
    }
    outcome.cells.push_back({x, y});
    return true;
}

} // namespace

Outcome mouseDown(LevelEditCommand& gesture, int selType, int selIndex, int view, int button, double X, double Y)
{
    Level& level = gesture.level();
    Outcome outcome;
    const int x = mapgeometry::cellAt(X);
    const int y = mapgeometry::cellAt(Y);
    const bool inside = x >= 0 && y >= 0 && x < level.levelWidth && y < level.levelHeight;

    if (inside) {
        if (selType == -1) {
            const QPoint old(level.playerX, level.playerY);
            gesture.movePlayer(static_cast<qint16>(x), static_cast<qint16>(y));
            outcome.cells = {old, {x, y}};
        } else if (selType == 0) {
            gesture.setCell(view, x, y, button == Left ? static_cast<qint16>(selIndex) : TileGrid::emptyValue(view));
            outcome.cells.push_back({x, y});
        } else if (selType == 1) {
            if (button == Left) {
                if (!placeEntity(gesture, selIndex, view, x, y, outcome))
                    return outcome;
            } else {
                const int slot = levelops::lastEntityAt(level, view, x, y);
                if (slot >= 0)
                    gesture.removeEntity(slot);
                outcome.cells.push_back({x, y});
            }
        }
    }

    level.levelChanged = true;
    return outcome;
}

} // namespace mapediting
