#include "model/DataTextCommand.h"

#include "model/Level.h"

std::unique_ptr<DataTextCommand> DataTextCommand::store(Level& level, int slot, const QString& text)
{
    const QString& before = slot < 0 ? level.playerData : level.entityData[static_cast<size_t>(slot)];
    if (before == text)
        return nullptr;
    std::unique_ptr<DataTextCommand> step(new DataTextCommand(level, slot, before, text));
    levelops::setDataText(level, slot, text);
    return step;
}

DataTextCommand::DataTextCommand(Level& level, int slot, QString before, QString after)
    : LevelCommand(level)
    , m_slot(slot)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

LevelChange DataTextCommand::change() const
{
    LevelChange change;
    change.dataText = m_slot;
    if (m_slot >= 0)
        change.addLayer(m_level.entities[static_cast<size_t>(m_slot)].layer);
    return change;
}

void DataTextCommand::takeBack()
{
    levelops::setDataText(m_level, m_slot, m_before);
}

void DataTextCommand::doAgain()
{
    levelops::setDataText(m_level, m_slot, m_after);
}

qsizetype DataTextCommand::heldBytes() const
{
    return textBytes(m_before) + textBytes(m_after);
}

void DataTextCommand::releaseHeld()
{
    m_before = QString();
    m_after = QString();
}
