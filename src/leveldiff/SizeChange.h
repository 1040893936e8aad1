#pragma once

#include "model/Level.h"

namespace leveldiff {

// How a level's grid went from one size to another. A resize keeps the
// corner opposite the one it works at, so every kept cell and entity moves
// by (dx, dy): dx is 0 or the change in width, dy 0 or the change in height.
struct SizeChange
{
    int oldWidth = 0;
    int oldHeight = 0;
    int newWidth = 0;
    int newHeight = 0;
    int dx = 0; // cell (x, y) before is cell (x + dx, y + dy) after
    int dy = 0;
    // False when more than one corner fits the content equally well (a
    // level of one tile kind grown, say); dx and dy then hold the first.
    bool known = true;

    bool resized() const { return oldWidth != newWidth || oldHeight != newHeight; }
    // Whether the cell (x, y) before still lies in the grid after.
    bool keeps(int x, int y) const
    {
        return x + dx >= 0 && y + dy >= 0 && x + dx < newWidth && y + dy < newHeight && x >= 0 && y >= 0 && x < oldWidth && y < oldHeight;
    }

    friend bool operator==(const SizeChange&, const SizeChange&) = default;
};

// Tells how `after` came from `before`: at the same size nothing moved;
// otherwise the corner is the one under which the most cells and entities
// of `before` are found unchanged in `after`.
SizeChange findSizeChange(const Level& before, const Level& after);

} // namespace leveldiff
