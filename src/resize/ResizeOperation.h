#pragma once

#include "model/Level.h"

#include <QString>
#include <QStringView>

#include <optional>

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

// By how much every kept cell and entity moves: the grid grows or shrinks at
// the left edge for corners 0 and 2 and at the top edge for corners 0 and 1.
int columnShift(const Level& level, qint16 newWidth, int corner);
int rowShift(const Level& level, qint16 newHeight, int corner);

enum class Outcome {
    Applied,
    Invalid, // a box holds no number, or one below 1
    TooLarge, // wider or higher than a map can be drawn
};

// Reads the two texts and, when they give a size the level can take, rebuilds
// the grid at the new size cell by cell, moves the entities and drops those
// that fall off, and marks the level as changed. The player start is never
// moved. Anything but Applied leaves the level exactly as it was.
[[nodiscard]] Outcome resizeLevel(Level& level, QStringView widthText, QStringView heightText, int corner);

// What the user is told when a resize is refused.
QString invalidInputMessage();
QString tooLargeMessage();

} // namespace resizeop
