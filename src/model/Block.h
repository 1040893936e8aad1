#pragma once

#include "model/Level.h"

#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <vector>

// A rectangle of cells taken from one layer of a level, apart from it: what
// a copy takes and a paste puts down, on whichever layer is shown then.
struct Block
{
    // What a cell holds that has no tile of its own (a corner screen's).
    static constexpr qint16 noTile = -1;

    int width = 0;
    int height = 0;
    // Row by row, top row first: a tile kind, or noTile.
    std::vector<qint16> tiles;
    // The entities inside, in their order in the level, their cells counted
    // from the block's top-left corner; their layer is the block's, so 0 here.
    std::vector<Entity> entities;
    std::vector<QString> data;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    qint16 tile(int x, int y) const { return tiles[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }

    friend bool operator==(const Block&, const Block&) = default;
};

// Where a block was copied from, while the level it came from is the one
// edited: its layer, its top-left cell, and the slot in the level's order
// that each of its entities held. The clipboard does not carry it; it lets a
// block pasted back where it was cut put its entities back in their places
// in that order, so that the cut and the paste leave the level as it was.
struct BlockOrigin
{
    int layer = -1;
    QPoint at;
    // Ascending, one for each of the block's entities.
    std::vector<int> entitySlots;

    friend bool operator==(const BlockOrigin&, const BlockOrigin&) = default;
};
