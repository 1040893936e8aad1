#include "model/LevelCommand.h"

#include "model/Level.h"

namespace {

// A step's own object with Qt's private part of it and the stack's pointer
// to it, with room for the allocator's headers.
constexpr qsizetype stepOverhead = 256;

} // namespace

LevelCommand::LevelCommand(Level& level)
    : m_level(level)
{
}

LevelCommand::~LevelCommand()
{
    if (m_account)
        *m_account -= m_counted;
}

void LevelCommand::undo()
{
    Q_ASSERT(!m_released);
    takeBack();
    recount();
    Q_ASSERT(m_level.isConsistent());
}

void LevelCommand::redo()
{
    // Recording pushes the step, and pushing redoes it: the change is already made.
    if (!m_recorded) {
        m_recorded = true;
        return;
    }
    Q_ASSERT(!m_released);
    doAgain();
    recount();
    Q_ASSERT(m_level.isConsistent());
}

void LevelCommand::release()
{
    if (m_released)
        return;
    m_released = true;
    releaseHeld();
    recount();
}

void LevelCommand::countIn(qsizetype* account)
{
    m_account = account;
    m_counted = 0;
    recount();
}

void LevelCommand::recount()
{
    const qsizetype now = stepOverhead + heldBytes();
    if (m_account)
        *m_account += now - m_counted;
    m_counted = now;
}

qsizetype LevelCommand::textBytes(const QString& text)
{
    return text.isNull() ? 0 : 32 + 2 * text.capacity();
}
