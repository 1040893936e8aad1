#pragma once

#include <QPoint>
#include <QString>

struct Catalogue;
struct Level;

// What a cell of the map holds, in words, for a screen reader.
namespace celldescription {

// "Main Level", "Top Left", "Top Right", "Bottom Left" or "Bottom Right".
QString layerName(int view);

// The layer, the cell's place (numbered as the entity data editor and the
// level file number it, from 0) and what the map shows there in that view,
// in drawing order: the tile, the entities standing on it, the player start.
QString describe(const Level& level, const Catalogue& catalogue, int view, QPoint cell);

} // namespace celldescription
