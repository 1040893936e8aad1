#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// A tile kind: its name in level files, a line the editor keeps but does not
// use, and the tooltip of its palette image. Every field of a kind has its
// default, so a kind can be made from its name alone.
struct TileKind
{
    QString name = {};
    QString unused = {};
    QString tooltip = {};

    friend bool operator==(const TileKind&, const TileKind&) = default;
};

// An entity kind: its name in level files, its two picture files (drawn with
// AND, then OR), a line the editor keeps but does not use, and the tip shown
// while its data text is edited.
struct EntityKind
{
    QString name = {};
    QString andPicture = {};
    QString orPicture = {};
    QString unused = {};
    QString tip = {};

    friend bool operator==(const EntityKind&, const EntityKind&) = default;
};

// The tile and entity kinds of the game, read once at start-up. A kind is
// everywhere its row number; level files write its name instead.
struct Catalogue
{
    std::vector<TileKind> tileDefs;
    std::vector<EntityKind> entityDefs;

    // The last row numbers, as the program has always named them; -1 when empty.
    qint16 tileDefLast() const { return static_cast<qint16>(tileCount() - 1); }
    qint16 entityDefLast() const { return static_cast<qint16>(entityCount() - 1); }

    int tileCount() const { return static_cast<int>(tileDefs.size()); }
    int entityCount() const { return static_cast<int>(entityDefs.size()); }
    bool hasTile(int kind) const { return kind >= 0 && kind < tileCount(); }
    bool hasEntity(int kind) const { return kind >= 0 && kind < entityCount(); }
    const TileKind& tile(int kind) const { return tileDefs[static_cast<size_t>(kind)]; }
    const EntityKind& entity(int kind) const { return entityDefs[static_cast<size_t>(kind)]; }
    const QString& tileName(int kind) const { return tile(kind).name; }
    const QString& entityName(int kind) const { return entity(kind).name; }
};
