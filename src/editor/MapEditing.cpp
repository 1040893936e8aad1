#include "editor/MapEditing.h"

#include "editor/MapGeometry.h"
#include "model/Level.h"

namespace mapediting {

namespace {

// Places an entity of the selected kind unless one like it stands there;
// false when nothing was placed.
bool placeEntity(Level& level, int kind, int view, int x, int y, Outcome& outcome)
{
    if (levelops::findEntity(level, view, x, y, kind) >= 0)
        return false;
    const Entity entity{static_cast<qint16>(view), static_cast<qint16>(x), static_cast<qint16>(y), static_cast<qint16>(kind)};
    if (!levelops::appendEntity(level, entity)) {
        outcome.levelFull = true;
        return false;
    }
    outcome.cells.push_back({x, y});
    return true;
}

} // namespace

Outcome mouseDown(Level& level, int selType, int selIndex, int view, int button, double X, double Y)
{
    Outcome outcome;
    const int x = mapgeometry::cellAt(X);
    const int y = mapgeometry::cellAt(Y);
    const bool inside = x >= 0 && y >= 0 && x < level.levelWidth && y < level.levelHeight;

    if (inside) {
        if (selType == -1) {
            const QPoint old(level.playerX, level.playerY);
            levelops::movePlayer(level, static_cast<qint16>(x), static_cast<qint16>(y));
            outcome.cells = {old, {x, y}};
        } else if (selType == 0) {
            if (button == Left)
                levelops::setCell(level, view, x, y, static_cast<qint16>(selIndex));
            else
                levelops::clearCell(level, view, x, y);
            outcome.cells.push_back({x, y});
        } else if (selType == 1) {
            if (button == Left) {
                if (!placeEntity(level, selIndex, view, x, y, outcome))
                    return outcome;
            } else {
                const int slot = levelops::lastEntityAt(level, view, x, y);
                if (slot >= 0)
                    levelops::removeEntity(level, slot);
                outcome.cells.push_back({x, y});
            }
        }
    }

    level.levelChanged = true;
    return outcome;
}

} // namespace mapediting
