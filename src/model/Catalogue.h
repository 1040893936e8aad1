#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

// The tile and entity kinds of the game, read once at start-up. A kind is
// everywhere its row number; level files write its name (field 0) instead.
struct Catalogue
{
    // Fields of a tile kind.
    enum TileField { TileName = 0, TileUnused = 1, TileTooltip = 2 };
    // Fields of an entity kind.
    enum EntityField { EntityName = 0, EntityAndPicture = 1, EntityOrPicture = 2, EntityUnused = 3, EntityTip = 4 };

    qint16 tileDefLast = -1;
    std::vector<std::array<QString, 3>> tileDefs;
    qint16 entityDefLast = -1;
    std::vector<std::array<QString, 5>> entityDefs;

    int tileCount() const { return tileDefLast + 1; }
    int entityCount() const { return entityDefLast + 1; }
    const QString& tileName(int kind) const { return tileDefs[static_cast<size_t>(kind)][TileName]; }
    const QString& entityName(int kind) const { return entityDefs[static_cast<size_t>(kind)][EntityName]; }
};
