#pragma once

#include "model/TileGrid.h"

#include <QString>
#include <QtGlobal>

#include <vector>

// One placed entity: the four fields of a slot.
struct Entity
{
    qint16 layer = 0; // the view that was shown when it was placed
    qint16 x = 0;
    qint16 y = 0;
    qint16 kind = 0; // a row of the catalogue's entity kinds

    friend bool operator==(const Entity&, const Entity&) = default;
};

// An entity with the slot it held and its data text: what it takes to put
// it back where it was.
struct SlotEntity
{
    int slot = 0;
    Entity entity;
    QString data;

    friend bool operator==(const SlotEntity&, const SlotEntity&) = default;
};

// The one level being edited. Slots 0 to entityCount - 1 of `entities` and
// `entityData` hold the placed entities in the order they came into the level.
//
// The size and the entity count are kept twice, in their fields and in the
// containers' own sizes; isConsistent() states how the two agree. Every
// operation below keeps it true (checked in debug builds), so code that
// reads a level may rely on it without guards of its own.
struct Level
{
    // The map's 16-bit twip arithmetic draws at most this many cells across or down.
    static constexpr int maxSize = 70;
    // The entity count is a 16-bit number.
    static constexpr int maxEntities = 32767;

    qint16 levelWidth = 8;
    qint16 levelHeight = 8;
    TileGrid levelTiles{8, 8};
    qint16 entityCount = 0;
    std::vector<Entity> entities;
    std::vector<QString> entityData;
    qint16 playerX = 0;
    qint16 playerY = 0;
    QString playerData = QStringLiteral("right");
    // Unsaved changes. Everything may read it; only the level's history
    // (LevelHistory) writes it.
    bool levelChanged = false;

    // The grid is levelWidth by levelHeight, each 1 to maxSize, and there are
    // exactly entityCount entities, each with its data text, at most maxEntities.
    bool isConsistent() const;

    friend bool operator==(const Level&, const Level&) = default;
};

// The operations the editor performs on a level.
namespace levelops {

// A new 8 by 8 level: kind 0 on the main level, nothing on the corner
// screens, no entities, the player start at (0, 0) with "right".
void makeNewLevel(Level& level);

// Makes the grid anew at the given size, every cell empty (0 on layer 0, -1
// elsewhere), and sets the level's width and height.
void replaceGrid(Level& level, qint16 width, qint16 height);
// Puts a grid in place of the level's, and the level takes its size.
void setGrid(Level& level, TileGrid grid);

void clearEntities(Level& level);

// Appends an entity at the end; false (and nothing changes) when the level
// already holds the most entities a level can hold.
[[nodiscard]] bool appendEntity(Level& level, const Entity& entity, const QString& data = QString());

// Removes slot `slot`, keeping the order of the others.
void removeEntity(Level& level, int slot);
// Puts an entity into slot `slot` (0 to entityCount), moving those from that
// slot on one slot up: what undoes a removal. The level must have room.
void insertEntity(Level& level, int slot, const Entity& entity, const QString& data);

// Removes the entities in the chosen slots, listed in ascending order, in one
// pass; the others keep their order. When `removed` is given, the removed
// entities are appended to it in slot order, as restoreDroppedEntities
// takes them back.
void removeSlots(Level& level, const std::vector<int>& chosen, std::vector<SlotEntity>* removed = nullptr);
// Keeps the first `count` entities and removes the rest.
void truncateEntities(Level& level, int count);
// Gives the entity in slot `slot` another kind.
void setEntityKind(Level& level, int slot, qint16 kind);
// Moves the entities in the chosen slots by (dx, dy); they keep their slots.
void moveEntities(Level& level, const std::vector<int>& chosen, int dx, int dy);

// Moves every entity by (dx, dy) and drops those that then lie outside a
// grid of the given size; the survivors keep their order, layer, kind and
// data. When `dropped` is given, the dropped entities are appended to it in
// slot order, as they were before the move.
void moveAndDropEntities(Level& level, int dx, int dy, int newWidth, int newHeight, std::vector<SlotEntity>* dropped = nullptr);
// Undoes moveAndDropEntities: moves the entities back by (dx, dy) and puts
// the dropped ones back into their slots.
void restoreDroppedEntities(Level& level, int dx, int dy, std::vector<SlotEntity> dropped);

// Writes a tile kind into a cell, or clears it when `kind` is no value.
void setCell(Level& level, int layer, int x, int y, qint16 kind);
void clearCell(Level& level, int layer, int x, int y);

void movePlayer(Level& level, qint16 x, qint16 y);

// Data text of slot `slot`, or of the player start when `slot` is -1.
void setDataText(Level& level, int slot, const QString& text);

// The slot of an entity of that layer, cell and kind, or -1.
int findEntity(const Level& level, int layer, int x, int y, int kind);
// The most recently placed entity of that layer and cell, whatever its kind, or -1.
int lastEntityAt(const Level& level, int layer, int x, int y);

} // namespace levelops
