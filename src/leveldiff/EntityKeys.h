#pragma once

#include "model/Level.h"

#include <compare>
#include <vector>

namespace leveldiff {

// What an entity is known by when two versions of a level are compared: its
// layer, its cell and its kind, and among the entities that share those, its
// place in slot order. Its data text is its value. Removing one entity thus
// leaves every other one matched with itself, wherever its slot went.
// Fields run row by row, so keys sort in reading order.
struct EntityKey
{
    int layer = 0;
    int y = 0;
    int x = 0;
    int kind = 0;
    int order = 0; // 0 for the first entity of this layer, cell and kind

    friend auto operator<=>(const EntityKey&, const EntityKey&) = default;
};

struct KeyedEntity
{
    EntityKey key;
    int slot = 0;
};

// The level's entities sorted by key, each at its cell moved by (-dx, -dy):
// a level that was resized is keyed in the cells of the level before.
std::vector<KeyedEntity> keyedEntities(const Level& level, int dx = 0, int dy = 0);

} // namespace leveldiff
