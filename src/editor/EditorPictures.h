#pragma once

#include "model/Result.h"

#include <QImage>
#include <QString>

#include <vector>

struct Catalogue;

// The pictures the palettes show and the map is drawn with, read once at
// start-up from the game folder. Every picture is opaque 32-bit RGB, ready
// for the bitwise combinations of the map.
struct EditorPictures
{
    // Tile pictures are the top-left part of each sheet block that fits the
    // scratch surface they are cut through.
    static constexpr int sheetBlock = 32;
    static constexpr int tileSize = 28;

    QImage player; // drawn with AND
    std::vector<QImage> tiles; // by tile kind, copied
    std::vector<QImage> entityAnd; // by entity kind, first picture, drawn with AND
    std::vector<QImage> entityOr; // by entity kind, second picture, drawn with OR
};

namespace editorpictures {

// Tiles per row of a sheet this many pixels wide: width / 32 rounded half to
// even; 0 for a sheet too narrow to hold one.
int tilesPerRow(int sheetWidth);

// The picture of tile kind `kind`: the top-left 28 x 28 pixels of its block,
// white where the block lies beyond the sheet.
QImage cutTile(const QImage& sheet, int kind, int perRow);

} // namespace editorpictures

// Reads "player.bmp", "tiles.gif" and both pictures of every entity kind from
// `folder`. A failure's message names the file at fault, for the user, and
// `pictures` is then left unchanged.
Result loadEditorPictures(const QString& folder, const Catalogue& catalogue, EditorPictures& pictures);
