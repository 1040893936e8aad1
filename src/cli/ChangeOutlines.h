#pragma once

#include "leveldiff/LevelDiff.h"

#include <QImage>

#include <vector>

// The cells a review of a change looks at, outlined on the map of the newer
// level: every cell whose tile or entities changed, and the player start's
// cell before and after a move.
struct OutlinedCell
{
    int x = 0;
    int y = 0;
    bool shown = true; // the change shows in the view drawn; else it is on another corner screen
};

// The changed cells of the grid of `after`, each once.
std::vector<OutlinedCell> changedCells(const leveldiff::LevelDiff& diff, const Level& after, int view);

// Outlines the cells on the map's pixel rows from `top` on, held in `rows`
// (row 0 is the map's row `top`): a frame 2 pixels wide in the gap around
// each cell's tile, red where the change shows in the view, blue where it
// lies on another corner screen.
void drawOutlines(QImage& rows, int top, const std::vector<OutlinedCell>& cells);
