#pragma once

#include <QImage>
#include <QString>
#include <QVector>

class PixelCanvas;

// One tile kind of the sample game, in catalogue order: what the catalogue
// says about it and how its picture is drawn.
struct TileKind
{
    QString name;
    QString rule; // the game's movement rule; the editor keeps but ignores it
    QString tooltip;
    void (*draw)(PixelCanvas& canvas);
};

constexpr int kTileArt = 28; // the part of a sheet cell the editor shows
constexpr int kTileCell = 32; // the sheet's cell pitch
constexpr int kTilesPerRow = 4;

const QVector<TileKind>& tileKinds();

QImage drawTile(const TileKind& kind);
// All tile kinds, kTilesPerRow to a row; the strip of each cell that the
// editor cuts off is filled with a plain dark grey.
QImage drawTileSheet();
