#include "editor/AreaOperations.h"

#include <algorithm>
#include <cstdlib>

namespace areaops {

namespace {

// One mark per cell of the grid.
class CellMarks
{
public:
    explicit CellMarks(const Level& level)
        : m_width(level.levelWidth)
        , m_marks(static_cast<size_t>(level.levelWidth) * static_cast<size_t>(level.levelHeight), false)
    {
    }

    bool has(int x, int y) const { return m_marks[index(x, y)]; }
    void set(int x, int y) { m_marks[index(x, y)] = true; }

private:
    size_t index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x); }

    int m_width;
    std::vector<bool> m_marks;
};

Outcome done(std::unique_ptr<AreaCommand> step)
{
    Outcome outcome;
    if (!step->isEmpty())
        outcome.step = std::move(step);
    return outcome;
}

Outcome paintTiles(Level& level, qint16 value, int view, const std::vector<QPoint>& cells)
{
    auto step = std::make_unique<AreaCommand>(level);
    for (const QPoint& cell : cells)
        step->setCell(view, cell.x(), cell.y(), value);
    return done(std::move(step));
}

Outcome placeEntities(Level& level, qint16 kind, int view, const std::vector<QPoint>& cells)
{
    // Cells that hold an entity of the kind on the layer already, and those
    // listed twice, take no second one: found in one pass over the entities.
    CellMarks taken(level);
    for (const Entity& e : level.entities)
        if (e.layer == view && e.kind == kind && level.levelTiles.contains(e.x, e.y))
            taken.set(e.x, e.y);
    std::vector<Entity> placed;
    for (const QPoint& cell : cells) {
        if (taken.has(cell.x(), cell.y()))
            continue;
        taken.set(cell.x(), cell.y());
        placed.push_back({static_cast<qint16>(view), static_cast<qint16>(cell.x()), static_cast<qint16>(cell.y()), kind});
    }
    auto step = std::make_unique<AreaCommand>(level);
    if (!step->appendEntities(placed, std::vector<QString>(placed.size()))) {
        Outcome refused;
        refused.levelFull = true;
        return refused;
    }
    return done(std::move(step));
}

Outcome removeEntities(Level& level, int view, const std::vector<QPoint>& cells)
{
    CellMarks marked(level);
    for (const QPoint& cell : cells)
        marked.set(cell.x(), cell.y());
    auto step = std::make_unique<AreaCommand>(level);
    step->removeEntities([&](const Entity& e) { return e.layer == view && level.levelTiles.contains(e.x, e.y) && marked.has(e.x, e.y); });
    return done(std::move(step));
}

} // namespace

std::vector<QPoint> lineCells(QPoint from, QPoint to)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    std::vector<QPoint> cells;
    cells.reserve(static_cast<size_t>(std::max(dx, -dy)) + 1);
    int error = dx + dy;
    QPoint at = from;
    while (true) {
        cells.push_back(at);
        if (at == to)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    return cells;
}

QRect cellSpan(QPoint corner, QPoint opposite)
{
    // Not QRect::normalized(), which drops the edge rows of a rectangle
    // whose corners were given the other way round.
    return QRect(QPoint(std::min(corner.x(), opposite.x()), std::min(corner.y(), opposite.y())),
        QPoint(std::max(corner.x(), opposite.x()), std::max(corner.y(), opposite.y())));
}

std::vector<QPoint> rectangleCells(QPoint corner, QPoint opposite)
{
    const QRect area = cellSpan(corner, opposite);
    std::vector<QPoint> cells;
    cells.reserve(static_cast<size_t>(area.width()) * static_cast<size_t>(area.height()));
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            cells.push_back({x, y});
    return cells;
}

Outcome paintCells(Level& level, PaletteSelection selection, int view, bool erase, const std::vector<QPoint>& cells)
{
    std::vector<QPoint> inside;
    inside.reserve(cells.size());
    std::copy_if(cells.begin(), cells.end(), std::back_inserter(inside),
        [&](const QPoint& cell) { return level.levelTiles.contains(cell.x(), cell.y()); });
    switch (selection.type) {
    case SelType::Tile:
        return paintTiles(level, erase ? TileGrid::emptyValue(view) : selection.index, view, inside);
    case SelType::Entity:
        return erase ? removeEntities(level, view, inside) : placeEntities(level, selection.index, view, inside);
    case SelType::Player:
        break;
    }
    return {};
}

Outcome fill(Level& level, PaletteSelection selection, int view, bool erase, QPoint cell)
{
    if (selection.type != SelType::Tile || !level.levelTiles.contains(cell.x(), cell.y()))
        return {};
    const qint16 target = level.levelTiles(view, cell.x(), cell.y());
    const qint16 value = erase ? TileGrid::emptyValue(view) : selection.index;
    if (target == value)
        return {};
    // Breadth first from the cell; each cell is written as it is reached, so
    // a written cell no longer holds the target and is not reached again.
    auto step = std::make_unique<AreaCommand>(level);
    std::vector<QPoint> reached{cell};
    step->setCell(view, cell.x(), cell.y(), value);
    for (size_t i = 0; i < reached.size(); ++i) {
        const QPoint at = reached[i];
        for (const QPoint next : {at + QPoint(1, 0), at - QPoint(1, 0), at + QPoint(0, 1), at - QPoint(0, 1)}) {
            if (!level.levelTiles.contains(next.x(), next.y()) || level.levelTiles(view, next.x(), next.y()) != target)
                continue;
            step->setCell(view, next.x(), next.y(), value);
            reached.push_back(next);
        }
    }
    return done(std::move(step));
}

namespace {

bool onLayer(const Replacement& r, int layer)
{
    return r.allLayers || layer == r.view;
}

} // namespace

int countReplacement(const Level& level, const Replacement& r)
{
    if (r.from == r.to)
        return 0;
    int count = 0;
    if (r.entities) {
        for (const Entity& e : level.entities)
            count += onLayer(r, e.layer) && e.kind == r.from ? 1 : 0;
        return count;
    }
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        if (onLayer(r, layer))
            for (int y = 0; y < level.levelHeight; ++y)
                for (int x = 0; x < level.levelWidth; ++x)
                    count += level.levelTiles(layer, x, y) == r.from ? 1 : 0;
    return count;
}

Outcome replace(Level& level, const Replacement& r)
{
    if (r.from == r.to)
        return {};
    auto step = std::make_unique<AreaCommand>(level);
    if (r.entities) {
        for (int slot = 0; slot < level.entityCount; ++slot) {
            const Entity& e = level.entities[static_cast<size_t>(slot)];
            if (onLayer(r, e.layer) && e.kind == r.from)
                step->setEntityKind(slot, r.to);
        }
        return done(std::move(step));
    }
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        if (onLayer(r, layer))
            for (int y = 0; y < level.levelHeight; ++y)
                for (int x = 0; x < level.levelWidth; ++x)
                    if (level.levelTiles(layer, x, y) == r.from)
                        step->setCell(layer, x, y, r.to);
    return done(std::move(step));
}

} // namespace areaops
