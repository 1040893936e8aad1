#include "model/Level.h"

#include <algorithm>

bool Level::isConsistent() const
{
    const auto count = static_cast<size_t>(entityCount);
    return levelWidth >= 1 && levelWidth <= maxSize && levelHeight >= 1 && levelHeight <= maxSize && levelTiles.width() == levelWidth
        && levelTiles.height() == levelHeight && entityCount >= 0 && entityCount <= maxEntities && entities.size() == count
        && entityData.size() == count;
}

namespace levelops {

void makeNewLevel(Level& level)
{
    movePlayer(level, 0, 0);
    level.playerData = QStringLiteral("right");
    replaceGrid(level, 8, 8);
    clearEntities(level);
    Q_ASSERT(level.isConsistent());
}

void replaceGrid(Level& level, qint16 width, qint16 height)
{
    setGrid(level, TileGrid(width, height));
}

void setGrid(Level& level, TileGrid grid)
{
    level.levelWidth = static_cast<qint16>(grid.width());
    level.levelHeight = static_cast<qint16>(grid.height());
    level.levelTiles = std::move(grid);
    Q_ASSERT(level.isConsistent());
}

void clearEntities(Level& level)
{
    level.entities.clear();
    level.entityData.clear();
    level.entityCount = 0;
    Q_ASSERT(level.isConsistent());
}

bool appendEntity(Level& level, const Entity& entity, const QString& data)
{
    if (level.entityCount >= Level::maxEntities)
        return false;
    level.entities.push_back(entity);
    level.entityData.push_back(data);
    ++level.entityCount;
    Q_ASSERT(level.isConsistent());
    return true;
}

void removeEntity(Level& level, int slot)
{
    Q_ASSERT(slot >= 0 && slot < level.entityCount);
    level.entities.erase(level.entities.begin() + slot);
    level.entityData.erase(level.entityData.begin() + slot);
    --level.entityCount;
    Q_ASSERT(level.isConsistent());
}

void insertEntity(Level& level, int slot, const Entity& entity, const QString& data)
{
    Q_ASSERT(slot >= 0 && slot <= level.entityCount && level.entityCount < Level::maxEntities);
    level.entities.insert(level.entities.begin() + slot, entity);
    level.entityData.insert(level.entityData.begin() + slot, data);
    ++level.entityCount;
    Q_ASSERT(level.isConsistent());
}

void removeSlots(Level& level, const std::vector<int>& chosen, std::vector<SlotEntity>* removed)
{
    if (removed)
        removed->reserve(removed->size() + chosen.size());
    size_t kept = 0;
    size_t next = 0;
    for (size_t slot = 0; slot < level.entities.size(); ++slot) {
        if (next < chosen.size() && static_cast<size_t>(chosen[next]) == slot) {
            ++next;
            if (removed)
                removed->push_back({static_cast<int>(slot), level.entities[slot], std::move(level.entityData[slot])});
            continue;
        }
        if (kept != slot) {
            level.entities[kept] = level.entities[slot];
            level.entityData[kept] = std::move(level.entityData[slot]);
        }
        ++kept;
    }
    Q_ASSERT(next == chosen.size());
    level.entities.resize(kept);
    level.entityData.resize(kept);
    level.entityCount = static_cast<qint16>(kept);
    Q_ASSERT(level.isConsistent());
}

void truncateEntities(Level& level, int count)
{
    Q_ASSERT(count >= 0 && count <= level.entityCount);
    level.entities.resize(static_cast<size_t>(count));
    level.entityData.resize(static_cast<size_t>(count));
    level.entityCount = static_cast<qint16>(count);
    Q_ASSERT(level.isConsistent());
}

void setEntityKind(Level& level, int slot, qint16 kind)
{
    level.entities[static_cast<size_t>(slot)].kind = kind;
    Q_ASSERT(level.isConsistent());
}

void moveEntities(Level& level, const std::vector<int>& chosen, int dx, int dy)
{
    for (const int slot : chosen) {
        Entity& e = level.entities[static_cast<size_t>(slot)];
        e.x = static_cast<qint16>(e.x + dx);
        e.y = static_cast<qint16>(e.y + dy);
    }
    Q_ASSERT(level.isConsistent());
}

void moveAndDropEntities(Level& level, int dx, int dy, int newWidth, int newHeight, std::vector<SlotEntity>* dropped)
{
    auto fallsOff = [&](const Entity& e) {
        const int x = e.x + dx;
        const int y = e.y + dy;
        return x < 0 || y < 0 || x >= newWidth || y >= newHeight;
    };
    // Counted first, so that what is kept of thousands of dropped entities
    // takes one block of memory, not a series of ever larger copies.
    if (dropped)
        dropped->reserve(dropped->size() + static_cast<size_t>(std::count_if(level.entities.begin(), level.entities.end(), fallsOff)));
    size_t kept = 0;
    for (size_t slot = 0; slot < level.entities.size(); ++slot) {
        Entity moved = level.entities[slot];
        if (fallsOff(moved)) {
            if (dropped)
                dropped->push_back({static_cast<int>(slot), moved, std::move(level.entityData[slot])});
            continue;
        }
        moved.x = static_cast<qint16>(moved.x + dx);
        moved.y = static_cast<qint16>(moved.y + dy);
        level.entities[kept] = moved;
        if (kept != slot)
            level.entityData[kept] = std::move(level.entityData[slot]);
        ++kept;
    }
    level.entities.resize(kept);
    level.entityData.resize(kept);
    level.entityCount = static_cast<qint16>(kept);
    Q_ASSERT(level.isConsistent());
}

void restoreDroppedEntities(Level& level, int dx, int dy, std::vector<SlotEntity> dropped)
{
    // Filled from the last slot down, so every survivor moves up to its old
    // slot before that slot is needed for anything else.
    size_t survivor = level.entities.size();
    const size_t total = survivor + dropped.size();
    Q_ASSERT(total <= size_t(Level::maxEntities));
    level.entities.resize(total);
    level.entityData.resize(total);
    size_t next = dropped.size();
    for (size_t slot = total; slot-- > 0;) {
        if (next > 0 && static_cast<size_t>(dropped[next - 1].slot) == slot) {
            --next;
            level.entities[slot] = dropped[next].entity;
            level.entityData[slot] = std::move(dropped[next].data);
            continue;
        }
        --survivor;
        Entity e = level.entities[survivor];
        e.x = static_cast<qint16>(e.x - dx);
        e.y = static_cast<qint16>(e.y - dy);
        level.entities[slot] = e;
        if (slot != survivor)
            level.entityData[slot] = std::move(level.entityData[survivor]);
    }
    level.entityCount = static_cast<qint16>(total);
    Q_ASSERT(level.isConsistent());
}

void setCell(Level& level, int layer, int x, int y, qint16 kind)
{
    level.levelTiles(layer, x, y) = kind;
    Q_ASSERT(level.isConsistent());
}

void clearCell(Level& level, int layer, int x, int y)
{
    level.levelTiles(layer, x, y) = TileGrid::emptyValue(layer);
    Q_ASSERT(level.isConsistent());
}

void movePlayer(Level& level, qint16 x, qint16 y)
{
    level.playerX = x;
    level.playerY = y;
    Q_ASSERT(level.isConsistent());
}

void setDataText(Level& level, int slot, const QString& text)
{
    if (slot < 0)
        level.playerData = text;
    else
        level.entityData[static_cast<size_t>(slot)] = text;
    Q_ASSERT(level.isConsistent());
}

int findEntity(const Level& level, int layer, int x, int y, int kind)
{
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (e.layer == layer && e.x == x && e.y == y && e.kind == kind)
            return slot;
    }
    return -1;
}

int lastEntityAt(const Level& level, int layer, int x, int y)
{
    for (int slot = level.entityCount - 1; slot >= 0; --slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (e.layer == layer && e.x == x && e.y == y)
            return slot;
    }
    return -1;
}

} // namespace levelops
