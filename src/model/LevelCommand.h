#pragma once

#include "model/LevelChange.h"

#include <QString>
#include <QUndoCommand>

struct Level;

// One step of a level's history. A step is recorded once its change is in
// the level, so the redo that recording it runs finds nothing to do; every
// later undo and redo changes the level and tells what to draw again.
class LevelCommand : public QUndoCommand
{
public:
    explicit LevelCommand(Level& level);
    ~LevelCommand() override;
    LevelCommand(const LevelCommand&) = delete;
    LevelCommand& operator=(const LevelCommand&) = delete;

    void undo() final;
    void redo() final;

    // What undoing or redoing this step changes on the map.
    virtual LevelChange change() const = 0;
    // Whether the step counts as an unsaved change: data texts do not.
    virtual bool countsAsChange() const { return true; }

    // Lets go of what the step holds to go back; it can no longer be undone.
    // The history does this to its oldest steps to stay within its memory.
    void release();
    bool isReleased() const { return m_released; }

    // From now until it is deleted, the step keeps `account` up to date with
    // the bytes it holds.
    void countIn(qsizetype* account);
    qsizetype countedBytes() const { return m_counted; }

protected:
    virtual void takeBack() = 0;
    virtual void doAgain() = 0;
    // The heap memory the step holds beyond its own object.
    virtual qsizetype heldBytes() const = 0;
    virtual void releaseHeld() = 0;

    // A text's share of the heap: its characters and the block around them.
    static qsizetype textBytes(const QString& text);

    Level& m_level;

private:
    void recount();

    qsizetype* m_account = nullptr;
    qsizetype m_counted = 0;
    bool m_recorded = false;
    bool m_released = false;
};
