#pragma once

#include "model/LevelChange.h"

#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>

struct Level;
class LevelCommand;

// The undo history of the level being edited: the steps taken since it was
// started or loaded. It is the one owner of the level's unsaved-changes flag
// (Level::levelChanged): nothing else writes it. A step that counts as a
// change sets it, and so does an edit that changed nothing (markChanged); a
// data text alone never does. Undo and redo set it to whether any step
// between the level and the state last started, loaded or saved counts as
// a change; a save, a new level and a load clear it.
//
// It keeps at most maxSteps steps, and when the steps hold more than its
// budget of bytes it lets go of the oldest first; the newest step is always
// kept. Qt's stack counts steps only, so the bytes are counted here.
class LevelHistory
{
public:
    static constexpr int maxSteps = 1000;
    static constexpr qsizetype defaultBudget = qsizetype(64) * 1024 * 1024;

    explicit LevelHistory(Level& level, qsizetype budget = defaultBudget);
    ~LevelHistory();
    LevelHistory(const LevelHistory&) = delete;
    LevelHistory& operator=(const LevelHistory&) = delete;

    // Takes a step whose change is already in the level.
    void record(std::unique_ptr<LevelCommand> step);
    // An edit that changed nothing still leaves the level unsaved: a press on
    // the map outside the grid or onto what the cell holds, a resize to the
    // size the level has.
    void markChanged();
    // Whether the level differs from the state last started, loaded or saved.
    bool levelChanged() const;

    bool canUndo() const;
    bool canRedo() const;
    // Takes one step back or forward; what to draw again, or no value when
    // there was no step to take.
    std::optional<LevelChange> undo();
    std::optional<LevelChange> redo();

    // A new or loaded level: nothing to undo, and this is the saved state.
    void clear();
    // The level was saved as it is now.
    void markSaved();

    // Called after every change the history takes or makes, and after every
    // change of the saved state: whoever keeps a copy of unsaved work
    // follows the level through it.
    void setListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // Steps that can be undone, and steps that can be redone.
    int undoSteps() const;
    int redoSteps() const;
    // What the steps hold, by their own count.
    qsizetype bytes() const { return m_bytes; }

private:
    const LevelCommand* step(int index) const;
    LevelCommand* step(int index);
    bool anyCountsBetween(int from, int to) const;
    bool differsFromSaved() const;
    void keepWithinBudget();
    void tell() const;

    Level& m_level;
    qsizetype m_budget;
    // Declared before the stack: steps still report to it while the stack deletes them.
    qsizetype m_bytes = 0;
    // Where the way to the saved state leaves the stack: the saved state is
    // state m_savedAt, unless steps that were dropped lie between, in which
    // case m_savedBeyond tells whether any of them changed more than data texts.
    int m_savedAt = 0;
    bool m_savedBeyond = false;
    QUndoStack m_stack;
    std::function<void()> m_listener;
};
