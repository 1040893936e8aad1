#pragma once

#include "editor/AreaOperations.h"
#include "model/Block.h"

#include <QPoint>
#include <QRect>

// What a selection does to a level: copy the block of cells it frames on one
// layer, erase it, paste a block, move one. Each change is one step of the
// history, made and applied here; the caller records it.
namespace blockops {

// The cells of `area` that lie in the grid.
QRect inGrid(const Level& level, QRect area);

// The tiles of `area` on `layer`, and the entities of that layer in it with
// their data texts, in their order. The player start is no part of it. When
// `origin` is given, it is set to where the block came from.
Block copy(const Level& level, int layer, QRect area, BlockOrigin* origin = nullptr);

// Erases `area` on `layer` as the right button erases: its tiles become kind 0
// on the main level and no tile on a corner screen, and the layer's entities
// in it are removed.
[[nodiscard]] areaops::Outcome erase(Level& level, int layer, QRect area);

// Puts `block` down on `layer` with its top-left corner on cell `at`: its
// tiles replace those of the cells it covers (where it has no tile, the cell
// is erased), and its entities are appended in their order, except one that
// lands on a cell where the layer held an entity of its kind before, as a
// click skips it. What lands outside the grid is dropped. Refused whole when
// the level could not hold the entities.
//
// Pasted back on the layer and cell of its `origin`, its entities go back
// into the slots they held instead (or as near as the level's count allows),
// so that a cut and a paste there give back the same level.
[[nodiscard]] areaops::Outcome paste(Level& level, const Block& block, int layer, QPoint at, const BlockOrigin* origin = nullptr);

// Moves what `area` holds on `layer` by `by` cells: the cells left behind are
// erased, and the content lands as a paste lands, except that the entities
// keep their slots. What lands outside the grid is dropped, and so is an
// entity that lands on one of its kind that stays where it was.
[[nodiscard]] areaops::Outcome move(Level& level, int layer, QRect area, QPoint by);

} // namespace blockops
