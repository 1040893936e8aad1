#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QPoint>
#include <QtGlobal>

#include <random>

// Places an entity into a level a test builds; such a level is never full,
// so a refusal is a fault of the test itself.
inline void place(Level& level, const Entity& entity, const QString& data = QString())
{
    if (!levelops::appendEntity(level, entity, data))
        qFatal("a test level refused an entity");
}

// A level with some tiles and entities on every layer, the same on every run
// for the same seed: entities of two kinds, now and then two alike in a cell,
// half of them with a data text that has a comma and a space.
inline Level busyLevel(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    Level level;
    levelops::replaceGrid(level, qint16(width), qint16(height));
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                level.levelTiles(layer, x, y) = qint16(layer == 0 ? pick(0, 2) : pick(-1, 1));
    for (int i = 0; i < width * height; ++i)
        place(level, {qint16(pick(0, 4)), qint16(pick(0, width - 1)), qint16(pick(0, height - 1)), qint16(pick(0, 1))},
            pick(0, 1) ? QStringLiteral("d%1, %2").arg(i).arg(pick(0, 9)) : QString());
    return level;
}

// Three tile kinds (floor, wall, ice) and two entity kinds (box, door): the
// catalogue of the levels a test builds by hand.
inline Catalogue threeTilesTwoEntities()
{
    Catalogue c;
    c.tileDefs = {{QStringLiteral("floor")}, {QStringLiteral("wall")}, {QStringLiteral("ice")}};
    c.entityDefs = {{QStringLiteral("box")}, {QStringLiteral("door")}};
    return c;
}

// Where a click lands in cell (x, y) of the map at its designed size, in the
// map's own pixels: well inside the cell's tile.
inline QPoint cellPoint(int x, int y)
{
    return QPoint(8 + 31 * x + 10, 8 + 31 * y + 10);
}
