#include "model/AreaCommand.h"

#include <algorithm>

// One bulk edit, in the order the operation made it.
struct AreaCommand::Edit
{
    enum class Type { Cells, Removal, Append, Insertion, Kinds, Shift };

    struct Cell
    {
        // A grid at most 70 wide and high on five layers fits in bytes.
        quint8 layer;
        quint8 x;
        quint8 y;
        qint16 before;
        qint16 after;
    };
    struct Kind
    {
        int slot;
        qint16 before;
        qint16 after;
    };

    Type type;
    std::vector<Cell> cells;
    // Removal: the removed entities in slot order. Append: the appended ones.
    // Insertion: the inserted ones, in the slots they took.
    std::vector<SlotEntity> entities;
    std::vector<Kind> kinds;
    // Shift: the slots of the entities moved, and how far.
    std::vector<int> moved;
    QPoint by;
};

namespace {

std::vector<int> slotsOf(const std::vector<SlotEntity>& entities)
{
    std::vector<int> chosen;
    chosen.reserve(entities.size());
    for (const SlotEntity& entity : entities)
        chosen.push_back(entity.slot);
    return chosen;
}

} // namespace

AreaCommand::AreaCommand(Level& level)
    : LevelCommand(level)
    , m_touched(static_cast<size_t>(level.levelWidth) * static_cast<size_t>(level.levelHeight), false)
{
}

AreaCommand::~AreaCommand() = default;

void AreaCommand::touch(int x, int y, int layer)
{
    // An entity read from a file may stand outside the grid; it shows nowhere.
    if (!m_level.levelTiles.contains(x, y))
        return;
    m_layers |= LevelChange::layerBit(layer);
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(m_level.levelWidth) + static_cast<size_t>(x);
    if (m_touched[at])
        return;
    m_touched[at] = true;
    m_cells.push_back({x, y});
}

void AreaCommand::setCell(int layer, int x, int y, qint16 value)
{
    const qint16 before = m_level.levelTiles(layer, x, y);
    if (before == value)
        return;
    levelops::setCell(m_level, layer, x, y, value);
    if (m_edits.empty() || m_edits.back().type != Edit::Type::Cells)
        m_edits.push_back({Edit::Type::Cells, {}, {}, {}, {}, {}});
    m_edits.back().cells.push_back({static_cast<quint8>(layer), static_cast<quint8>(x), static_cast<quint8>(y), before, value});
    touch(x, y, layer);
}

void AreaCommand::removeEntities(const std::function<bool(const Entity&)>& remove)
{
    std::vector<int> chosen;
    for (int slot = 0; slot < m_level.entityCount; ++slot)
        if (remove(m_level.entities[static_cast<size_t>(slot)]))
            chosen.push_back(slot);
    if (chosen.empty())
        return;
    Edit edit{Edit::Type::Removal, {}, {}, {}, {}, {}};
    levelops::removeSlots(m_level, chosen, &edit.entities);
    for (const SlotEntity& removed : edit.entities)
        touch(removed.entity.x, removed.entity.y, removed.entity.layer);
    m_edits.push_back(std::move(edit));
}

bool AreaCommand::appendEntities(const std::vector<Entity>& entities, const std::vector<QString>& data)
{
    Q_ASSERT(entities.size() == data.size());
    if (entities.empty())
        return true;
    if (m_level.entityCount + entities.size() > size_t(Level::maxEntities))
        return false;
    Edit edit{Edit::Type::Append, {}, {}, {}, {}, {}};
    edit.entities.reserve(entities.size());
    m_level.entities.reserve(m_level.entities.size() + entities.size());
    m_level.entityData.reserve(m_level.entityData.size() + entities.size());
    for (size_t i = 0; i < entities.size(); ++i) {
        edit.entities.push_back({m_level.entityCount, entities[i], data[i]});
        (void)levelops::appendEntity(m_level, entities[i], data[i]);
        touch(entities[i].x, entities[i].y, entities[i].layer);
    }
    m_edits.push_back(std::move(edit));
    return true;
}

void AreaCommand::insertEntities(std::vector<SlotEntity> entities)
{
    if (entities.empty())
        return;
    Edit edit{Edit::Type::Insertion, {}, std::move(entities), {}, {}, {}};
    levelops::restoreDroppedEntities(m_level, 0, 0, edit.entities);
    for (const SlotEntity& inserted : edit.entities)
        touch(inserted.entity.x, inserted.entity.y, inserted.entity.layer);
    m_edits.push_back(std::move(edit));
}

void AreaCommand::setEntityKind(int slot, qint16 kind)
{
    Entity& entity = m_level.entities[static_cast<size_t>(slot)];
    if (entity.kind == kind)
        return;
    if (m_edits.empty() || m_edits.back().type != Edit::Type::Kinds)
        m_edits.push_back({Edit::Type::Kinds, {}, {}, {}, {}, {}});
    m_edits.back().kinds.push_back({slot, entity.kind, kind});
    levelops::setEntityKind(m_level, slot, kind);
    touch(entity.x, entity.y, entity.layer);
}

void AreaCommand::moveEntities(const std::vector<int>& chosen, QPoint by)
{
    if (chosen.empty() || by.isNull())
        return;
    for (const int slot : chosen) {
        const Entity& e = m_level.entities[static_cast<size_t>(slot)];
        touch(e.x, e.y, e.layer);
        touch(e.x + by.x(), e.y + by.y(), e.layer);
    }
    levelops::moveEntities(m_level, chosen, by.x(), by.y());
    m_edits.push_back({Edit::Type::Shift, {}, {}, {}, chosen, by});
}

LevelChange AreaCommand::change() const
{
    LevelChange change;
    change.cells = m_cells;
    change.layers = m_layers;
    change.frames = m_frames;
    return change;
}

void AreaCommand::takeBack()
{
    for (auto edit = m_edits.rbegin(); edit != m_edits.rend(); ++edit) {
        switch (edit->type) {
        case Edit::Type::Cells:
            for (auto cell = edit->cells.rbegin(); cell != edit->cells.rend(); ++cell)
                levelops::setCell(m_level, cell->layer, cell->x, cell->y, cell->before);
            break;
        case Edit::Type::Removal:
            // A copy: the texts are shared, and the step keeps what it needs to redo.
            levelops::restoreDroppedEntities(m_level, 0, 0, edit->entities);
            break;
        case Edit::Type::Append:
            levelops::truncateEntities(m_level, m_level.entityCount - static_cast<int>(edit->entities.size()));
            break;
        case Edit::Type::Insertion:
            levelops::removeSlots(m_level, slotsOf(edit->entities));
            break;
        case Edit::Type::Kinds:
            for (auto kind = edit->kinds.rbegin(); kind != edit->kinds.rend(); ++kind)
                levelops::setEntityKind(m_level, kind->slot, kind->before);
            break;
        case Edit::Type::Shift:
            levelops::moveEntities(m_level, edit->moved, -edit->by.x(), -edit->by.y());
            break;
        }
    }
}

void AreaCommand::doAgain()
{
    for (Edit& edit : m_edits) {
        switch (edit.type) {
        case Edit::Type::Cells:
            for (const Edit::Cell& cell : edit.cells)
                levelops::setCell(m_level, cell.layer, cell.x, cell.y, cell.after);
            break;
        case Edit::Type::Removal:
            levelops::removeSlots(m_level, slotsOf(edit.entities));
            break;
        case Edit::Type::Insertion:
            levelops::restoreDroppedEntities(m_level, 0, 0, edit.entities);
            break;
        case Edit::Type::Append:
            m_level.entities.reserve(m_level.entities.size() + edit.entities.size());
            m_level.entityData.reserve(m_level.entityData.size() + edit.entities.size());
            for (const SlotEntity& appended : edit.entities)
                (void)levelops::appendEntity(m_level, appended.entity, appended.data);
            break;
        case Edit::Type::Kinds:
            for (const Edit::Kind& kind : edit.kinds)
                levelops::setEntityKind(m_level, kind.slot, kind.after);
            break;
        case Edit::Type::Shift:
            levelops::moveEntities(m_level, edit.moved, edit.by.x(), edit.by.y());
            break;
        }
    }
}

qsizetype AreaCommand::heldBytes() const
{
    qsizetype bytes =
        static_cast<qsizetype>(m_edits.capacity() * sizeof(Edit) + m_cells.capacity() * sizeof(QPoint) + m_touched.capacity() / 8);
    for (const Edit& edit : m_edits) {
        bytes += static_cast<qsizetype>(edit.cells.capacity() * sizeof(Edit::Cell) + edit.entities.capacity() * sizeof(SlotEntity)
            + edit.kinds.capacity() * sizeof(Edit::Kind) + edit.moved.capacity() * sizeof(int));
        for (const SlotEntity& entity : edit.entities)
            bytes += textBytes(entity.data);
    }
    return bytes;
}

void AreaCommand::releaseHeld()
{
    m_edits = {};
    m_cells = {};
    m_touched = {};
}
