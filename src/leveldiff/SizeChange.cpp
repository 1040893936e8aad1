#include "leveldiff/SizeChange.h"

#include "leveldiff/EntityKeys.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace leveldiff {

namespace {

// How many cells of `before`, on all layers, and entities keep their value
// when moved by (dx, dy).
qsizetype matches(const Level& before, const Level& after, const std::vector<EntityKey>& beforeKeys,
    const std::vector<EntityKey>& afterKeys, int dx, int dy)
{
    qsizetype count = 0;
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = std::max(0, -dy); y < before.levelHeight && y + dy < after.levelHeight; ++y)
            for (int x = std::max(0, -dx); x < before.levelWidth && x + dx < after.levelWidth; ++x)
                if (before.levelTiles(layer, x, y) == after.levelTiles(layer, x + dx, y + dy))
                    ++count;
    for (const EntityKey& key : beforeKeys)
        if (std::binary_search(afterKeys.begin(), afterKeys.end(), EntityKey{key.layer, key.y + dy, key.x + dx, key.kind, 0}))
            ++count;
    return count;
}

} // namespace

SizeChange findSizeChange(const Level& before, const Level& after)
{
    SizeChange change{before.levelWidth, before.levelHeight, after.levelWidth, after.levelHeight, 0, 0, true};
    if (!change.resized())
        return change;

    // Each entity is looked for by layer, cell and kind alone.
    auto firstKeys = [](const Level& level) {
        std::vector<EntityKey> keys;
        for (const KeyedEntity& entity : keyedEntities(level))
            if (entity.key.order == 0)
                keys.push_back(entity.key);
        return keys;
    };
    const std::vector<EntityKey> beforeKeys = firstKeys(before);
    const std::vector<EntityKey> afterKeys = firstKeys(after);
    // The shifts the four corners give, each once; the bottom right corner's,
    // which moves nothing, first.
    std::vector<std::pair<int, int>> shifts;
    for (const int dy : {0, change.newHeight - change.oldHeight})
        for (const int dx : {0, change.newWidth - change.oldWidth})
            if (std::find(shifts.begin(), shifts.end(), std::pair(dx, dy)) == shifts.end())
                shifts.emplace_back(dx, dy);
    qsizetype best = -1;
    for (const auto& [dx, dy] : shifts) {
        const qsizetype count = matches(before, after, beforeKeys, afterKeys, dx, dy);
        if (count > best) {
            best = count;
            change.dx = dx;
            change.dy = dy;
            change.known = true;
        } else if (count == best) {
            change.known = false;
        }
    }
    return change;
}

} // namespace leveldiff
