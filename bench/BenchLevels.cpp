#include "BenchLevels.h"

namespace {

const char* const tileNames[] = {
    "floor", "wall", "ice", "water", "pit", "goal", "cracked", "bridge", "sand", "exit", "arrowup", "arrowright", "arrowdown", "arrowleft"};
const char* const entityNames[] = {"box", "door", "key", "switch", "gate", "teleport", "gem"};

} // namespace

Catalogue benchCatalogue()
{
    Catalogue c;
    for (const char* name : tileNames)
        c.tileDefs.push_back({QString::fromLatin1(name), QString(), QString()});
    for (const char* name : entityNames)
        c.entityDefs.push_back({QString::fromLatin1(name), QString(), QString(), QString(), QString()});
    return c;
}

QByteArray benchCatalogueFile()
{
    QByteArray file = QByteArray::number(static_cast<int>(std::size(tileNames))) + "\r\n";
    for (const char* name : tileNames)
        file += QByteArray(name) + "\r\nwalk\r\n" + name + "\r\n";
    file += "--\r\n" + QByteArray::number(static_cast<int>(std::size(entityNames))) + "\r\n";
    for (const char* name : entityNames)
        file += QByteArray(name) + "\r\n" + name + "_and.bmp\r\n" + name + "_or.bmp\r\n\r\n" + name + "\r\n";
    return file;
}

Level fullLevel(int width, int height, int entities)
{
    Level level;
    levelops::replaceGrid(level, static_cast<qint16>(width), static_cast<qint16>(height));
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                level.levelTiles(layer, x, y) = static_cast<qint16>((x + y + layer) % 14);
    const QString data = QStringLiteral("1,2,3,4,5,6,7,8,9,10"); // 20 characters
    for (int i = 0; i < entities; ++i) {
        const int cell = i % (width * height);
        if (!levelops::appendEntity(level,
                {static_cast<qint16>(i % 5), static_cast<qint16>(cell % width), static_cast<qint16>(cell / width),
                    static_cast<qint16>(i % 7)},
                data))
            qFatal("the benchmark level is full");
    }
    return level;
}
