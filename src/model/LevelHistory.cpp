#include "model/LevelHistory.h"

#include "model/Level.h"
#include "model/LevelCommand.h"

#include <algorithm>
#include <utility>

LevelHistory::LevelHistory(Level& level, qsizetype budget)
    : m_level(level)
    , m_budget(budget)
{
    m_stack.setUndoLimit(maxSteps);
}

LevelHistory::~LevelHistory() = default;

const LevelCommand* LevelHistory::step(int index) const
{
    return static_cast<const LevelCommand*>(m_stack.command(index));
}

LevelCommand* LevelHistory::step(int index)
{
    // Qt hands its steps out as const only; every step here is a LevelCommand this history took.
    return const_cast<LevelCommand*>(std::as_const(*this).step(index));
}

void LevelHistory::record(std::unique_ptr<LevelCommand> newStep)
{
    const int index = m_stack.index();
    // Pushing drops the steps that could be redone. When the saved state lay
    // among them, the way back to it now leads through them.
    if (m_savedAt > index) {
        m_savedBeyond = m_savedBeyond || anyCountsBetween(index, m_savedAt);
        m_savedAt = index;
    }
    // Past the limit, the stack drops its oldest step.
    if (index + 1 > m_stack.undoLimit()) {
        if (m_savedAt == 0)
            m_savedBeyond = m_savedBeyond || step(0)->countsAsChange();
        else
            --m_savedAt;
    }
    if (newStep->countsAsChange())
        m_level.levelChanged = true;
    newStep->countIn(&m_bytes);
    m_stack.push(newStep.release());
    keepWithinBudget();
    tell();
}

void LevelHistory::markChanged()
{
    m_level.levelChanged = true;
    tell();
}

bool LevelHistory::levelChanged() const
{
    return m_level.levelChanged;
}

bool LevelHistory::canUndo() const
{
    return m_stack.canUndo() && !step(m_stack.index() - 1)->isReleased();
}

bool LevelHistory::canRedo() const
{
    return m_stack.canRedo();
}

std::optional<LevelChange> LevelHistory::undo()
{
    if (!canUndo())
        return std::nullopt;
    m_stack.undo();
    m_level.levelChanged = differsFromSaved();
    tell();
    return step(m_stack.index())->change();
}

std::optional<LevelChange> LevelHistory::redo()
{
    if (!canRedo())
        return std::nullopt;
    m_stack.redo();
    m_level.levelChanged = differsFromSaved();
    LevelChange change = step(m_stack.index() - 1)->change();
    keepWithinBudget();
    tell();
    return change;
}

void LevelHistory::clear()
{
    m_stack.clear();
    m_savedAt = 0;
    m_savedBeyond = false;
    m_level.levelChanged = false;
    tell();
}

void LevelHistory::markSaved()
{
    m_savedAt = m_stack.index();
    m_savedBeyond = false;
    m_level.levelChanged = false;
    tell();
}

int LevelHistory::undoSteps() const
{
    int steps = 0;
    for (int i = m_stack.index() - 1; i >= 0 && !step(i)->isReleased(); --i)
        ++steps;
    return steps;
}

int LevelHistory::redoSteps() const
{
    return m_stack.count() - m_stack.index();
}

bool LevelHistory::anyCountsBetween(int from, int to) const
{
    for (int i = std::min(from, to); i < std::max(from, to); ++i)
        if (step(i)->countsAsChange())
            return true;
    return false;
}

bool LevelHistory::differsFromSaved() const
{
    return m_savedBeyond || anyCountsBetween(m_savedAt, m_stack.index());
}

void LevelHistory::tell() const
{
    if (m_listener)
        m_listener();
}

void LevelHistory::keepWithinBudget()
{
    // The oldest steps go first; the newest step that can be undone stays.
    const int newest = m_stack.index() - 1;
    for (int i = 0; m_bytes > m_budget && i < newest; ++i)
        step(i)->release();
}
