#include "leveldiff/EntityKeys.h"

#include <algorithm>
#include <tuple>

namespace leveldiff {

std::vector<KeyedEntity> keyedEntities(const Level& level, int dx, int dy)
{
    std::vector<KeyedEntity> keyed;
    keyed.reserve(static_cast<size_t>(level.entityCount));
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        keyed.push_back({{e.layer, e.y - dy, e.x - dx, e.kind, 0}, slot});
    }
    // The slot breaks ties, so entities of one key stay in slot order.
    std::sort(keyed.begin(), keyed.end(),
        [](const KeyedEntity& a, const KeyedEntity& b) { return a.key != b.key ? a.key < b.key : a.slot < b.slot; });
    for (size_t i = 1; i < keyed.size(); ++i) {
        EntityKey& key = keyed[i].key;
        const EntityKey& before = keyed[i - 1].key;
        if (key.layer == before.layer && key.y == before.y && key.x == before.x && key.kind == before.kind)
            key.order = before.order + 1;
    }
    return keyed;
}

} // namespace leveldiff
