#include "editor/BlockOperations.h"

#include <algorithm>

namespace blockops {

namespace {

areaops::Outcome done(std::unique_ptr<AreaCommand> step)
{
    areaops::Outcome outcome;
    if (!step->isEmpty())
        outcome.step = std::move(step);
    return outcome;
}

// Which kinds of entity stand in which cells: built in one pass, asked by
// a binary search, as a layer holds up to 32767 of them.
class KindsInCells
{
public:
    void add(int x, int y, int kind) { m_keys.push_back(key(x, y, kind)); }
    void seal() { std::sort(m_keys.begin(), m_keys.end()); }
    bool has(int x, int y, int kind) const { return std::binary_search(m_keys.begin(), m_keys.end(), key(x, y, kind)); }

private:
    static quint64 key(int x, int y, int kind)
    {
        return (quint64(quint16(x)) << 32) | (quint64(quint16(y)) << 16) | quint64(quint16(kind));
    }
    std::vector<quint64> m_keys;
};

qint16 landingValue(qint16 tile, int layer)
{
    return tile == Block::noTile ? TileGrid::emptyValue(layer) : tile;
}

} // namespace

QRect inGrid(const Level& level, QRect area)
{
    return area & QRect(0, 0, level.levelWidth, level.levelHeight);
}

Block copy(const Level& level, int layer, QRect area, BlockOrigin* origin)
{
    const QRect cells = inGrid(level, area);
    Block block;
    if (origin)
        *origin = {layer, cells.topLeft(), {}};
    if (cells.isEmpty())
        return block;
    block.width = cells.width();
    block.height = cells.height();
    block.tiles.reserve(static_cast<size_t>(block.width) * static_cast<size_t>(block.height));
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x)
            block.tiles.push_back(level.levelTiles(layer, x, y));
    for (size_t slot = 0; slot < level.entities.size(); ++slot) {
        const Entity& e = level.entities[slot];
        if (e.layer != layer || !cells.contains(e.x, e.y))
            continue;
        block.entities.push_back({0, static_cast<qint16>(e.x - cells.left()), static_cast<qint16>(e.y - cells.top()), e.kind});
        block.data.push_back(level.entityData[slot]);
        if (origin)
            origin->entitySlots.push_back(static_cast<int>(slot));
    }
    return block;
}

areaops::Outcome erase(Level& level, int layer, QRect area)
{
    const QRect cells = inGrid(level, area);
    if (cells.isEmpty())
        return {};
    auto step = std::make_unique<AreaCommand>(level);
    for (int y = cells.top(); y <= cells.bottom(); ++y)
        for (int x = cells.left(); x <= cells.right(); ++x)
            step->setCell(layer, x, y, TileGrid::emptyValue(layer));
    step->removeEntities([&](const Entity& e) { return e.layer == layer && cells.contains(e.x, e.y); });
    return done(std::move(step));
}

areaops::Outcome paste(Level& level, const Block& block, int layer, QPoint at, const BlockOrigin* origin)
{
    const bool backHome = origin && origin->layer == layer && origin->at == at && origin->entitySlots.size() == block.entities.size();
    const QRect target = inGrid(level, QRect(at, QSize(block.width, block.height)));
    if (target.isEmpty())
        return {};
    KindsInCells standing;
    for (const Entity& e : level.entities)
        if (e.layer == layer && target.contains(e.x, e.y))
            standing.add(e.x, e.y, e.kind);
    standing.seal();
    std::vector<Entity> placed;
    std::vector<QString> data;
    std::vector<int> homeSlots;
    for (size_t i = 0; i < block.entities.size(); ++i) {
        const Entity& e = block.entities[i];
        const int x = at.x() + e.x;
        const int y = at.y() + e.y;
        if (!target.contains(x, y) || standing.has(x, y, e.kind))
            continue;
        placed.push_back({static_cast<qint16>(layer), static_cast<qint16>(x), static_cast<qint16>(y), e.kind});
        data.push_back(block.data[i]);
        if (backHome)
            homeSlots.push_back(origin->entitySlots[i]);
    }
    // Checked before anything changes, so that a refusal leaves the level whole.
    if (level.entityCount + placed.size() > size_t(Level::maxEntities)) {
        areaops::Outcome refused;
        refused.levelFull = true;
        return refused;
    }
    auto step = std::make_unique<AreaCommand>(level);
    for (int y = target.top(); y <= target.bottom(); ++y)
        for (int x = target.left(); x <= target.right(); ++x)
            step->setCell(layer, x, y, landingValue(block.tile(x - at.x(), y - at.y()), layer));
    if (!backHome) {
        (void)step->appendEntities(placed, data);
        return done(std::move(step));
    }
    // The slots ascend, so each one that lies past the count as it will then
    // be goes to the end, and those after it follow.
    std::vector<SlotEntity> returning;
    returning.reserve(placed.size());
    for (size_t i = 0; i < placed.size(); ++i) {
        const int slot = std::min(homeSlots[i], level.entityCount + static_cast<int>(i));
        returning.push_back({slot, placed[i], data[i]});
    }
    step->insertEntities(std::move(returning));
    return done(std::move(step));
}

areaops::Outcome move(Level& level, int layer, QRect area, QPoint by)
{
    const QRect source = inGrid(level, area);
    if (source.isEmpty() || by.isNull())
        return {};
    const Block lifted = copy(level, layer, source);
    const QRect landing = inGrid(level, source.translated(by));
    auto moving = [&](const Entity& e) { return e.layer == layer && source.contains(e.x, e.y); };
    KindsInCells staying;
    for (const Entity& e : level.entities)
        if (e.layer == layer && !moving(e) && landing.contains(e.x, e.y))
            staying.add(e.x, e.y, e.kind);
    staying.seal();

    auto step = std::make_unique<AreaCommand>(level);
    for (int y = source.top(); y <= source.bottom(); ++y)
        for (int x = source.left(); x <= source.right(); ++x)
            step->setCell(layer, x, y, TileGrid::emptyValue(layer));
    for (int y = landing.top(); y <= landing.bottom(); ++y)
        for (int x = landing.left(); x <= landing.right(); ++x)
            step->setCell(layer, x, y, landingValue(lifted.tile(x - by.x() - source.left(), y - by.y() - source.top()), layer));
    step->removeEntities([&](const Entity& e) {
        const int x = e.x + by.x();
        const int y = e.y + by.y();
        return moving(e) && (!landing.contains(x, y) || staying.has(x, y, e.kind));
    });
    std::vector<int> moved;
    for (int slot = 0; slot < level.entityCount; ++slot)
        if (moving(level.entities[static_cast<size_t>(slot)]))
            moved.push_back(slot);
    step->moveEntities(moved, by);
    return done(std::move(step));
}

} // namespace blockops
