#pragma once

#include <QPoint>

#include <vector>

// What a step of the history changed on the map, so that a window draws
// again exactly that: some cells, or the whole map with its size.
struct LevelChange
{
    // Cells to draw again, each once; some may lie outside the grid (a player
    // start that a resize left there).
    std::vector<QPoint> cells;
    // The size or the whole grid changed: draw everything and lay out again.
    bool wholeMap = false;
};
