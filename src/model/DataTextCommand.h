#pragma once

#include "model/LevelCommand.h"

#include <QString>

#include <memory>

// One Apply of a data text: an entity's, or the player start's. Data texts
// are not drawn and do not count as unsaved changes.
class DataTextCommand : public LevelCommand
{
public:
    // Stores `text` as the data text of slot `slot` (-1: the player start)
    // and returns the step; none when the slot holds that text already.
    static std::unique_ptr<DataTextCommand> store(Level& level, int slot, const QString& text);

    // Nothing to draw: the text's owner, and the layer of an entity's.
    LevelChange change() const override;
    bool countsAsChange() const override { return false; }

protected:
    void takeBack() override;
    void doAgain() override;
    qsizetype heldBytes() const override;
    void releaseHeld() override;

private:
    DataTextCommand(Level& level, int slot, QString before, QString after);

    int m_slot;
    QString m_before;
    QString m_after;
};
