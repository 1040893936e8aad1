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

QString changeInWords(const Level& level, qint16 typedWidth, qint16 typedHeight)
{
    auto change = [](int by, const char* one, const char* many, const char* more, const char* less, const char* same) -> QString {
        if (by == 0)
            return QString(QLatin1String(same));
        const int count = by < 0 ? -by : by;
        return QStringLiteral("%1 %2 %3").arg(count).arg(QLatin1String(count == 1 ? one : many), QLatin1String(by > 0 ? more : less));
    };
    const int across = typedWidth - level.levelWidth;
    const int down = typedHeight - level.levelHeight;
    if (across == 0 && down == 0)
        return QStringLiteral("the same size");
    return change(across, "column", "columns", "wider", "narrower", "as wide") + QStringLiteral(" and ")
        + change(down, "row", "rows", "taller", "shorter", "as tall");
}

int columnShift(const Level& level, qint16 newWidth, int corner)
{
    return growsAtLeft(corner) ? newWidth - level.levelWidth : 0;
}

int rowShift(const Level& level, qint16 newHeight, int corner)
{
    return growsAtTop(corner) ? newHeight - level.levelHeight : 0;
}

namespace {

// Rebuilds the grid at the record's new size and moves the entities by its
// shift. What falls off is kept in `cut` when there is one.
void resizeTo(Level& level, const ResizeRecord& sizes, ResizeRecord* cut)
{
    const int dx = sizes.dx;
    const int dy = sizes.dy;
    const TileGrid& old = level.levelTiles;
    Q_ASSERT(old.width() == sizes.oldWidth && old.height() == sizes.oldHeight);

    // A new grid starts with every cell empty; only the cells that come from
    // inside the old grid are copied over. The old cells that find no place
    // are kept in the order undoResize reads them back.
    TileGrid grid(sizes.newWidth, sizes.newHeight);
    if (cut)
        cut->droppedCells.clear();
    for (int layer = 0; layer < TileGrid::layerCount; ++layer) {
        for (int y = 0; y < sizes.newHeight; ++y)
            for (int x = 0; x < sizes.newWidth; ++x)
                if (old.contains(x - dx, y - dy))
                    grid(layer, x, y) = old(layer, x - dx, y - dy);
        if (!cut)
            continue;
        for (int y = 0; y < old.height(); ++y)
            for (int x = 0; x < old.width(); ++x)
                if (!grid.contains(x + dx, y + dy))
                    cut->droppedCells.push_back(old(layer, x, y));
    }
    levelops::setGrid(level, std::move(grid));
    if (cut)
        cut->droppedEntities.clear();
    levelops::moveAndDropEntities(level, dx, dy, sizes.newWidth, sizes.newHeight, cut ? &cut->droppedEntities : nullptr);
}

} // namespace

Outcome resizeLevel(Level& level, QStringView widthText, QStringView heightText, int corner, ResizeRecord* record)
{
    const TypedSize typed = readTypedSize(widthText, heightText);
    if (!typed.isValid())
        return Outcome::Invalid;
    const qint16 newWidth = *typed.width;
    const qint16 newHeight = *typed.height;
    if (newWidth > Level::maxSize || newHeight > Level::maxSize)
        return Outcome::TooLarge;

    ResizeRecord sizes;
    sizes.oldWidth = level.levelWidth;
    sizes.oldHeight = level.levelHeight;
    sizes.newWidth = newWidth;
    sizes.newHeight = newHeight;
    sizes.dx = columnShift(level, newWidth, corner);
    sizes.dy = rowShift(level, newHeight, corner);
    if (record) {
        *record = std::move(sizes);
        resizeTo(level, *record, record);
    } else {
        resizeTo(level, sizes, nullptr);
    }
    return Outcome::Applied;
}

void redoResize(Level& level, ResizeRecord& record)
{
    resizeTo(level, record, &record);
}

void undoResize(Level& level, ResizeRecord& record)
{
    const int dx = record.dx;
    const int dy = record.dy;
    const TileGrid& now = level.levelTiles;
    Q_ASSERT(now.width() == record.newWidth && now.height() == record.newHeight);

    TileGrid grid(record.oldWidth, record.oldHeight);
    size_t next = 0;
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < record.oldHeight; ++y)
            for (int x = 0; x < record.oldWidth; ++x)
                grid(layer, x, y) = now.contains(x + dx, y + dy) ? now(layer, x + dx, y + dy) : record.droppedCells[next++];
    Q_ASSERT(next == record.droppedCells.size());
    levelops::setGrid(level, std::move(grid));
    levelops::restoreDroppedEntities(level, dx, dy, std::move(record.droppedEntities));
    record.droppedCells = {};
    record.droppedEntities = {};
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
