#pragma once

#include "editor/MapEditing.h"
#include "model/AreaCommand.h"

#include <QPoint>
#include <QRect>

#include <memory>
#include <vector>

// What the area tools do to a level: paint or erase many cells at once, fill
// a region, replace one kind by another. Each operation is one step of the
// history, made and applied here; the caller records it.
namespace areaops {

struct Outcome
{
    // The step, already in the level; none when nothing changed or the
    // operation was refused.
    std::unique_ptr<AreaCommand> step;
    // Refused whole: the level could not hold the entities it would place.
    bool levelFull = false;
};

// The cells of a straight line from one cell to another, both ends included,
// in order from `from`: each step moves one cell along the longer axis, and
// along the other when the line has moved half a cell off it (Bresenham).
std::vector<QPoint> lineCells(QPoint from, QPoint to);

// The rectangle of cells with these two corners, whichever way they lie.
QRect cellSpan(QPoint corner, QPoint opposite);
// Its cells, row by row.
std::vector<QPoint> rectangleCells(QPoint corner, QPoint opposite);

// On each of `cells` of layer `view` that lies in the grid: with a tile kind
// selected, writes it, or erases the tile when `erase` is set (kind 0 on the
// main level, no tile on a corner screen); with an entity kind, places one
// of that kind in every cell that holds none yet, or removes every entity of
// the layer there. The player start is not an area selection: nothing happens.
[[nodiscard]] Outcome paintCells(Level& level, PaletteSelection selection, int view, bool erase, const std::vector<QPoint>& cells);

// Writes the selected tile kind, or erases, over the region of cells
// joined side by side to `cell` that hold the same tile as it does on layer
// `view` ("no tile" counts as a tile of its own on a corner screen). Only a
// tile kind fills: with anything else selected nothing happens.
[[nodiscard]] Outcome fill(Level& level, PaletteSelection selection, int view, bool erase, QPoint cell);

// Every tile of one kind made another, or every entity of one kind given
// another (keeping its place, its slot and its data text), on one layer or
// on all five.
struct Replacement
{
    bool entities = false; // entity kinds, else tile kinds
    qint16 from = 0;
    qint16 to = 0;
    bool allLayers = false;
    int view = 0; // the layer, unless allLayers
};

// How many cells or entities the replacement would change.
int countReplacement(const Level& level, const Replacement& replacement);
[[nodiscard]] Outcome replace(Level& level, const Replacement& replacement);

} // namespace areaops
