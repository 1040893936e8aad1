#pragma once

#include "leveldiff/LevelDiff.h"
#include "leveldiff/SizeChange.h"
#include "model/Level.h"

#include <QString>

#include <limits>
#include <optional>
#include <vector>

namespace leveldiff {

// The value of a cell that a resize cut off.
inline constexpr int cutOff = std::numeric_limits<int>::min();

// Two versions of a level that changed the same thing in different ways.
struct Conflict
{
    enum class What {
        Size, // see `why`
        Tile, // base, ours and theirs hold the cell's three values
        Entity, // kind, and the three data texts (none where the side has no such entity)
        Player, // the player start; the result holds the three
        TooManyEntities, // together the two sides hold more entities than a level can
    };
    enum class Why {
        BothResized, // the two sides resized differently
        CornerUnknown, // where one side resized cannot be told, so its cells match no others
        CutsOursOff, // theirs's resize would cut off or leave out changes of ours
    };

    What what = What::Tile;
    Why why = Why::BothResized;
    int layer = 0;
    int x = 0; // in the merged level; in the base for a cell that one side's resize cut off
    int y = 0;
    bool cut = false; // a cell that one side's resize cut off: x and y are the base's
    int base = 0;
    int ours = 0;
    int theirs = 0;
    int kind = 0;
    int order = 0; // among the entities of that layer, cell and kind
    std::optional<QString> baseData;
    std::optional<QString> oursData;
    std::optional<QString> theirsData;
};

struct MergeResult
{
    // Ours with every change of theirs that conflicts with no change of
    // ours; where they conflict, ours. When a side changed nothing, the
    // other side exactly, its entities in its own order.
    Level level;
    std::vector<Conflict> conflicts; // in reading order, the size first
    SizeChange ours; // how each side's size came from the base's
    SizeChange theirs;
    PlayerStart basePlayer;
    PlayerStart oursPlayer;
    PlayerStart theirsPlayer;
};

// Merges two versions of a level made from the same base, item by item as
// diffLevels matches them: cells layer by layer, entities by layer, cell and
// kind with their data texts as values, the player start as one item. A
// change on one side is taken, the same change on both sides once, and
// different changes of one item are a conflict. When one side resized, the
// other side's changes move with the resize's shift; changes of ours that a
// resize of theirs would cut off keep the level at ours's size. When both
// resized differently, the whole level is a conflict and the result is ours.
MergeResult mergeLevels(const Level& base, const Level& ours, const Level& theirs);

} // namespace leveldiff
