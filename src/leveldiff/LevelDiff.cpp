#include "leveldiff/LevelDiff.h"

#include "leveldiff/EntityKeys.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace leveldiff {

namespace {

void diffCells(const Level& before, const Level& after, const SizeChange& size, std::vector<Change>& changes)
{
    for (int layer = 0; layer < TileGrid::layerCount; ++layer) {
        for (int y = 0; y < after.levelHeight; ++y) {
            for (int x = 0; x < after.levelWidth; ++x) {
                const int oldX = x - size.dx;
                const int oldY = y - size.dy;
                const int oldValue =
                    before.levelTiles.contains(oldX, oldY) ? before.levelTiles(layer, oldX, oldY) : TileGrid::emptyValue(layer);
                const int newValue = after.levelTiles(layer, x, y);
                if (oldValue != newValue)
                    changes.push_back({Change::What::Tile, layer, x, y, oldValue, newValue, 0, {}, {}});
            }
        }
    }
}

Change entityChange(Change::What what, const EntityKey& key, const SizeChange& size, QString oldData, QString newData)
{
    return {what, key.layer, key.x + size.dx, key.y + size.dy, key.kind, key.kind, key.order, std::move(oldData), std::move(newData)};
}

void diffEntities(const Level& before, const Level& after, const SizeChange& size, std::vector<Change>& changes)
{
    const std::vector<KeyedEntity> olds = keyedEntities(before);
    const std::vector<KeyedEntity> news = keyedEntities(after, size.dx, size.dy);
    auto oldData = [&](size_t i) -> const QString& { return before.entityData[static_cast<size_t>(olds[i].slot)]; };
    auto newData = [&](size_t i) -> const QString& { return after.entityData[static_cast<size_t>(news[i].slot)]; };
    size_t i = 0;
    size_t j = 0;
    while (i < olds.size() || j < news.size()) {
        if (j == news.size() || (i < olds.size() && olds[i].key < news[j].key)) {
            changes.push_back(entityChange(Change::What::EntityRemoved, olds[i].key, size, oldData(i), {}));
            ++i;
        } else if (i == olds.size() || news[j].key < olds[i].key) {
            changes.push_back(entityChange(Change::What::EntityAdded, news[j].key, size, {}, newData(j)));
            ++j;
        } else {
            if (oldData(i) != newData(j))
                changes.push_back(entityChange(Change::What::EntityData, olds[i].key, size, oldData(i), newData(j)));
            ++i;
            ++j;
        }
    }
}

// Reading order: layer, row, column; in a cell the tile, then the entities.
bool comesBefore(const Change& a, const Change& b)
{
    const bool aEntity = a.what != Change::What::Tile;
    const bool bEntity = b.what != Change::What::Tile;
    return std::tie(a.layer, a.y, a.x, aEntity, a.oldValue, a.order) < std::tie(b.layer, b.y, b.x, bEntity, b.oldValue, b.order);
}

} // namespace

PlayerStart playerStart(const Level& level)
{
    return {level.playerX, level.playerY, level.playerData};
}

LevelDiff diffLevels(const Level& before, const Level& after)
{
    LevelDiff diff;
    diff.size = findSizeChange(before, after);
    diff.oldPlayer = playerStart(before);
    diff.newPlayer = playerStart(after);
    std::vector<Change> cells;
    diffCells(before, after, diff.size, cells);
    std::vector<Change> entities;
    diffEntities(before, after, diff.size, entities);
    // Both lists are in reading order already; entities on layers beyond
    // the grid's five come last, as their layer says.
    diff.changes.reserve(cells.size() + entities.size());
    std::merge(std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()), std::make_move_iterator(entities.begin()),
        std::make_move_iterator(entities.end()), std::back_inserter(diff.changes), comesBefore);
    return diff;
}

} // namespace leveldiff
