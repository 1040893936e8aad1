#include "model/LevelEditCommand.h"

#include <algorithm>

LevelEditCommand::LevelEditCommand(Level& level)
    : LevelCommand(level)
{
}

void LevelEditCommand::setCell(int layer, int x, int y, qint16 value)
{
    const qint16 before = m_level.levelTiles(layer, x, y);
    if (before == value)
        return;
    levelops::setCell(m_level, layer, x, y, value);
    m_cells.push_back({static_cast<quint8>(layer), static_cast<quint8>(x), static_cast<quint8>(y), before, value});
}

bool LevelEditCommand::placeEntity(const Entity& entity)
{
    const int slot = m_level.entityCount;
    if (!levelops::appendEntity(m_level, entity))
        return false;
    m_entities.push_back({true, {slot, entity, QString()}});
    return true;
}

void LevelEditCommand::removeEntity(int slot)
{
    const size_t at = static_cast<size_t>(slot);
    m_entities.push_back({false, {slot, m_level.entities[at], m_level.entityData[at]}});
    levelops::removeEntity(m_level, slot);
}

void LevelEditCommand::movePlayer(qint16 x, qint16 y)
{
    const QPoint from(m_level.playerX, m_level.playerY);
    if (from == QPoint(x, y))
        return;
    levelops::movePlayer(m_level, x, y);
    if (!m_playerFrom)
        m_playerFrom = from;
    m_playerTo = QPoint(x, y);
}

void LevelEditCommand::settle()
{
    // Cell edits are independent of one another once there is one per
    // cell: the first value before and the last one after.
    auto key = [](const CellEdit& e) { return (e.layer << 16) | (e.y << 8) | e.x; };
    std::stable_sort(m_cells.begin(), m_cells.end(), [&](const CellEdit& a, const CellEdit& b) { return key(a) < key(b); });
    std::vector<CellEdit> cells;
    for (const CellEdit& edit : m_cells) {
        if (!cells.empty() && key(cells.back()) == key(edit))
            cells.back().after = edit.after;
        else
            cells.push_back(edit);
    }
    std::erase_if(cells, [](const CellEdit& e) { return e.before == e.after; });
    m_cells = std::move(cells);

    // An entity edit that undoes the one just before it cancels out with it.
    std::vector<EntityEdit> entities;
    for (EntityEdit& edit : m_entities) {
        if (!entities.empty() && entities.back().placed != edit.placed && entities.back().entity == edit.entity)
            entities.pop_back();
        else
            entities.push_back(std::move(edit));
    }
    m_entities = std::move(entities);

    if (m_playerFrom && *m_playerFrom == m_playerTo)
        m_playerFrom.reset();
}

LevelChange LevelEditCommand::change() const
{
    LevelChange change;
    auto add = [&change](QPoint cell) {
        if (std::find(change.cells.begin(), change.cells.end(), cell) == change.cells.end())
            change.cells.push_back(cell);
    };
    if (m_playerFrom) {
        add(*m_playerFrom);
        add(m_playerTo);
    }
    for (const EntityEdit& edit : m_entities) {
        add(QPoint(edit.entity.entity.x, edit.entity.entity.y));
        change.addLayer(edit.entity.entity.layer);
    }
    // A stroke may pass a cell more than once.
    for (const CellEdit& edit : m_cells) {
        add(QPoint(edit.x, edit.y));
        change.addLayer(edit.layer);
    }
    return change;
}

void LevelEditCommand::takeBack()
{
    for (auto edit = m_cells.rbegin(); edit != m_cells.rend(); ++edit)
        levelops::setCell(m_level, edit->layer, edit->x, edit->y, edit->before);
    for (auto edit = m_entities.rbegin(); edit != m_entities.rend(); ++edit) {
        if (edit->placed)
            levelops::removeEntity(m_level, edit->entity.slot);
        else
            levelops::insertEntity(m_level, edit->entity.slot, edit->entity.entity, edit->entity.data);
    }
    if (m_playerFrom)
        levelops::movePlayer(m_level, static_cast<qint16>(m_playerFrom->x()), static_cast<qint16>(m_playerFrom->y()));
}

void LevelEditCommand::doAgain()
{
    for (const CellEdit& edit : m_cells)
        levelops::setCell(m_level, edit.layer, edit.x, edit.y, edit.after);
    for (const EntityEdit& edit : m_entities) {
        if (edit.placed)
            levelops::insertEntity(m_level, edit.entity.slot, edit.entity.entity, edit.entity.data);
        else
            levelops::removeEntity(m_level, edit.entity.slot);
    }
    if (m_playerFrom)
        levelops::movePlayer(m_level, static_cast<qint16>(m_playerTo.x()), static_cast<qint16>(m_playerTo.y()));
}

qsizetype LevelEditCommand::heldBytes() const
{
    qsizetype bytes = static_cast<qsizetype>(m_cells.capacity() * sizeof(CellEdit) + m_entities.capacity() * sizeof(EntityEdit));
    for (const EntityEdit& edit : m_entities)
        bytes += textBytes(edit.entity.data);
    return bytes;
}

void LevelEditCommand::releaseHeld()
{
    m_cells = {};
    m_entities = {};
    m_playerFrom.reset();
}
