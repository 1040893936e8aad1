#pragma once

#include "leveldiff/SizeChange.h"
#include "model/Level.h"

#include <QString>

#include <vector>

namespace leveldiff {

// One difference between two versions of a level, at a cell of the newer
// one (an entity the newer one lost is placed where it would stand now).
struct Change
{
    enum class What {
        Tile, // oldValue and newValue are tile kinds, -1 for none
        EntityAdded, // kind in oldValue and newValue
        EntityRemoved,
        EntityData, // the data text changed
    };

    What what = What::Tile;
    int layer = 0;
    int x = 0;
    int y = 0;
    int oldValue = 0;
    int newValue = 0;
    int order = 0; // an entity's place among those of its layer, cell and kind
    QString oldData; // entities only
    QString newData;

    friend bool operator==(const Change&, const Change&) = default;
};

// The player start, which belongs to no layer and which a resize never moves.
struct PlayerStart
{
    qint16 x = 0;
    qint16 y = 0;
    QString data;

    friend bool operator==(const PlayerStart&, const PlayerStart&) = default;
};

PlayerStart playerStart(const Level& level);

struct LevelDiff
{
    SizeChange size;
    PlayerStart oldPlayer;
    PlayerStart newPlayer;
    // Sorted by layer, then row, column, tiles before entities, and the
    // entities by kind and order.
    std::vector<Change> changes;

    bool playerMoved() const { return oldPlayer.x != newPlayer.x || oldPlayer.y != newPlayer.y; }
    bool playerDataChanged() const { return oldPlayer.data != newPlayer.data; }
    bool isEmpty() const { return !size.resized() && !playerMoved() && !playerDataChanged() && changes.empty(); }
};

// What changed from `before` to `after`, on the model: cells layer by layer,
// entities matched by layer, cell and kind in slot order, the player start
// as one item. After a resize, cells and entities are compared where the
// resize moved them; a cell the resize added counts as changed only when it
// holds other than what a resize leaves there, and one it cut off is told
// by the size alone.
LevelDiff diffLevels(const Level& before, const Level& after);

} // namespace leveldiff
