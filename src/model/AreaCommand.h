#pragma once

#include "model/Level.h"
#include "model/LevelCommand.h"

#include <QPoint>

#include <functional>
#include <optional>
#include <vector>

// One operation on an area of the level as one step of its history: a
// rectangle, a fill, a line, a replace of one kind by another, a cut, a
// paste or a move of a block of cells. Each edit goes
// into the level as the operation makes it, through bulk edits that take one
// pass over the entities however many they touch, and the step keeps what is
// needed to take it back. Undone, the edits are taken back in the reverse
// order of their making.
class AreaCommand : public LevelCommand
{
public:
    explicit AreaCommand(Level& level);
    ~AreaCommand() override;

    Level& level() { return m_level; }
    // Whether the operation changed anything at all.
    bool isEmpty() const { return m_edits.empty(); }

    // Writes a tile kind (or the empty value) into a cell; a cell that holds
    // it already records nothing.
    void setCell(int layer, int x, int y, qint16 value);
    // Removes every entity for which `remove` holds, keeping the others in
    // their order.
    void removeEntities(const std::function<bool(const Entity&)>& remove);
    // Appends entities, each with its data text; false, and nothing changes,
    // when the level could not hold them all.
    [[nodiscard]] bool appendEntities(const std::vector<Entity>& entities, const std::vector<QString>& data);
    // Puts entities into the slots they name, listed in ascending order of
    // the slots they will hold, each below the count after the insertion; the
    // others keep their order. The level must have room for them all.
    void insertEntities(std::vector<SlotEntity> entities);
    // Gives the entity in slot `slot` another kind; its place, its slot and
    // its data text stay.
    void setEntityKind(int slot, qint16 kind);
    // Moves the entities in the chosen slots, listed in ascending order, by
    // `by` cells; they keep their slots, kinds and data texts.
    void moveEntities(const std::vector<int>& chosen, QPoint by);

    // Marks the step as one on a selection of cells, selected before as
    // `before` and after as `after`.
    void setFrames(QRect before, QRect after) { m_frames = LevelChange::Frames{before, after}; }

    // The cells whose look the step changed, on any layer, each once.
    const std::vector<QPoint>& cells() const { return m_cells; }
    LevelChange change() const override;

protected:
    void takeBack() override;
    void doAgain() override;
    qsizetype heldBytes() const override;
    void releaseHeld() override;

private:
    struct Edit;
    void touch(int x, int y, int layer);

    std::vector<Edit> m_edits;
    std::vector<QPoint> m_cells;
    // The layers it changed, as LevelChange counts them.
    unsigned m_layers = 0;
    std::optional<LevelChange::Frames> m_frames;
    // Which cells are already in m_cells, by row and column.
    std::vector<bool> m_touched;
};
