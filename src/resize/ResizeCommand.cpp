#include "resize/ResizeCommand.h"

ResizeCommand::ResizeCommand(Level& level, resizeop::ResizeRecord record)
    : LevelCommand(level)
    , m_record(std::move(record))
{
}

LevelChange ResizeCommand::change() const
{
    LevelChange change;
    change.wholeMap = true;
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        change.addLayer(layer);
    return change;
}

void ResizeCommand::takeBack()
{
    resizeop::undoResize(m_level, m_record);
}

void ResizeCommand::doAgain()
{
    resizeop::redoResize(m_level, m_record);
}

qsizetype ResizeCommand::heldBytes() const
{
    qsizetype bytes = static_cast<qsizetype>(
        m_record.droppedCells.capacity() * sizeof(qint16) + m_record.droppedEntities.capacity() * sizeof(SlotEntity));
    for (const SlotEntity& dropped : m_record.droppedEntities)
        bytes += textBytes(dropped.data);
    return bytes;
}

void ResizeCommand::releaseHeld()
{
    m_record.droppedCells = {};
    m_record.droppedEntities = {};
}
