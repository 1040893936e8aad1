#include "resize/ResizeOperation.h"

#include "model/Numbers.h"

namespace resizeop {

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

bool growsAtLeft(int corner)
{
    return corner == 0 || corner == 2;
}

bool growsAtTop(int corner)
{
    return corner == 0 || corner == 1;
}

} // namespace

TypedSize readTypedSize(QStringView widthText, QStringView heightText)
{
    return TypedSize{numbers::toInt16(widthText), numbers::toInt16(heightText)};
}

int pictureRow(const Level& level, qint16 typedWidth, qint16 typedHeight)
{
    const int sw = sign(level.levelWidth - typedWidth);
    const int sh = sign(level.levelHeight - typedHeight);
    return 4 + sw + 3 * sh;
}

int columnShift(const Level& level, qint16 newWidth, int corner)
{
    return growsAtLeft(corner) ? newWidth - level.levelWidth : 0;
}

int rowShift(const Level& level, qint16 newHeight, int corner)
{
    return growsAtTop(corner) ? newHeight - level.levelHeight : 0;
}

Outcome resizeLevel(Level& level, QStringView widthText, QStringView heightText, int corner)
{
    const TypedSize typed = readTypedSize(widthText, heightText);
    if (!typed.isValid())
        return Outcome::Invalid;
    const qint16 newWidth = *typed.width;
    const qint16 newHeight = *typed.height;
    if (newWidth > Level::maxSize || newHeight > Level::maxSize)
        return Outcome::TooLarge;

    const int dx = columnShift(level, newWidth, corner);
    const int dy = rowShift(level, newHeight, corner);

    // A new grid starts with every cell empty; only the cells that come from
    // inside the old grid are copied over.
    TileGrid grid(newWidth, newHeight);
    for (int layer = 0; layer < TileGrid::layerCount; ++layer) {
        for (int y = 0; y < newHeight; ++y) {
            for (int x = 0; x < newWidth; ++x) {
                if (level.levelTiles.contains(x - dx, y - dy))
                    grid(layer, x, y) = level.levelTiles(layer, x - dx, y - dy);
            }
        }
    }
    levelops::setGrid(level, std::move(grid));
    levelops::moveAndDropEntities(level, dx, dy, newWidth, newHeight);
    level.levelChanged = true;
    return Outcome::Applied;
}

QString invalidInputMessage()
{
    return QStringLiteral("On1y pu7 p0sit1f numb3r5 in teh box0rz plx") + QStringLiteral("\r\n") + QStringLiteral("\r\n")
        + QString(22, u' ') + QStringLiteral("kthxbye");
}

QString tooLargeMessage()
{
    return QStringLiteral("A level can be at most %1 cells wide and %1 cells high. Please type a smaller size.").arg(Level::maxSize);
}

} // namespace resizeop
