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

Outcome mouseDown(LevelEditCommand& gesture, PaletteSelection selection, int view, MouseButtons buttons, QPointF at)
{
    Level& level = gesture.level();
    Outcome outcome;
    const int x = mapgeometry::cellAt(at.x());
    const int y = mapgeometry::cellAt(at.y());
    const bool inside = x >= 0 && y >= 0 && x < level.levelWidth && y < level.levelHeight;
    // Any other combination of buttons erases or removes.
    const bool left = buttons == MouseButton::Left;

    if (inside) {
        switch (selection.type) {
        case SelType::Player: {
            const QPoint old(level.playerX, level.playerY);
            gesture.movePlayer(static_cast<qint16>(x), static_cast<qint16>(y));
            outcome.cells = {old, {x, y}};
            break;
        }
        case SelType::Tile:
            gesture.setCell(view, x, y, left ? selection.index : TileGrid::emptyValue(view));
            outcome.cells.push_back({x, y});
            break;
        case SelType::Entity:
            if (left) {
                if (!placeEntity(gesture, selection.index, view, x, y, outcome))
                    return outcome;
            } else {
                const int slot = levelops::lastEntityAt(level, view, x, y);
                if (slot >= 0)
                    gesture.removeEntity(slot);
                outcome.cells.push_back({x, y});
            }
            break;
        }
    }

    outcome.marksChanged = true;
    return outcome;
}

} // namespace mapediting
