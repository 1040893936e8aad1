#pragma once

#include "model/LevelCommand.h"
#include "resize/ResizeOperation.h"

// One resize at a corner as a step of the history. Undone, the size, all
// five layers and the entities with their slots and data texts come back;
// the player start, which a resize never moves, stays. It holds only what
// the resize cut off, and nothing at all while it is undone.
class ResizeCommand : public LevelCommand
{
public:
    // Takes the record of a resize that was just applied.
    ResizeCommand(Level& level, resizeop::ResizeRecord record);

    LevelChange change() const override;

protected:
    void takeBack() override;
    void doAgain() override;
    qsizetype heldBytes() const override;
    void releaseHeld() override;

private:
    resizeop::ResizeRecord m_record;
};
