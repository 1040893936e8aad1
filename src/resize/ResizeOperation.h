#pragma once

#include "model/Level.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// Growing and shrinking the level at one of its four corners. The corner is
// the index of the resize dialog's corner buttons: 0 top left, 1 top right,
// 2 bottom left, 3 bottom right; the opposite corner of the grid stays put.
namespace resizeop {

// The size typed into the two boxes, each read by the one number conversion;
// a text that is no 16-bit number has no value.
struct TypedSize
{
    std::optional<qint16> width;
    std::optional<qint16> height;

    // Both are numbers (of any sign).
    bool isNumber() const { return width && height; }
    // Both are numbers of at least 1: a size the level could take.
    bool isValid() const { return isNumber() && *width >= 1 && *height >= 1; }
};

TypedSize readTypedSize(QStringView widthText, QStringView heightText);

// The row of the corner pictures for a valid typed size against the level's:
// the middle row 4 when nothing changes, one row less per wider step, three
// rows less when taller.
int pictureRow(const Level& level, qint16 typedWidth, qint16 typedHeight);
// What the pictures of that row show, in words for a screen reader: "2
// columns wider and 1 row shorter", "as wide and 3 rows taller", "the same size".
QString changeInWords(const Level& level, qint16 typedWidth, qint16 typedHeight);

// By how much every kept cell and entity moves: the grid grows or shrinks at
// the left edge for corners 0 and 2 and at the top edge for corners 0 and 1.
int columnShift(const Level& level, qint16 newWidth, int corner);
int rowShift(const Level& level, qint16 newHeight, int corner);

// What a resize did, enough to take it back: the size before and after, the
// shift, the values of the cells it cut off (layer by layer, row by row, in
// the old grid) and the entities it dropped, with their slots and data texts.
struct ResizeRecord
{
    qint16 oldWidth = 0;
    qint16 oldHeight = 0;
    qint16 newWidth = 0;
    qint16 newHeight = 0;
    int dx = 0;
    int dy = 0;
    std::vector<qint16> droppedCells;
    std::vector<SlotEntity> droppedEntities;

    // The grid stayed as it was: at the same size, no corner moves anything.
    bool changesNothing() const { return oldWidth == newWidth && oldHeight == newHeight; }
};

enum class Outcome {
    Applied,
    Invalid, // a box holds no number, or one below 1
    TooLarge, // wider or higher than a map can be drawn
};

// Reads the two texts and, when they give a size the level can take, rebuilds
// the grid at the new size cell by cell, moves the entities and drops those
// that fall off. The player start is never moved; the history, not the
// resize, marks the level as changed. Anything but Applied leaves the level exactly as it was. When
// `record` is given, an applied resize fills it.
[[nodiscard]] Outcome resizeLevel(Level& level, QStringView widthText, QStringView heightText, int corner, ResizeRecord* record = nullptr);

// Resizes to the record's new size with its shift, as resizeLevel did, and
// fills the record with what is cut off.
void redoResize(Level& level, ResizeRecord& record);
// Puts back the size, the cells and the entities from before the resize;
// the record then holds nothing that was cut off.
void undoResize(Level& level, ResizeRecord& record);

// What the user is told when a resize is refused.
QString invalidInputMessage();
QString tooLargeMessage();

} // namespace resizeop
