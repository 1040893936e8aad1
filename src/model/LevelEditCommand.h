#pragma once

#include "model/Level.h"
#include "model/LevelCommand.h"

#include <QPoint>

#include <optional>
#include <vector>

// What one gesture on the map did, from the press to the release of the last
// button: tiles painted or erased, entities placed or removed, the player
// start moved. Each edit goes into the level through the level operations as
// the mouse makes it, and the step keeps what is needed to take it back.
class LevelEditCommand : public LevelCommand
{
public:
    explicit LevelEditCommand(Level& level);

    Level& level() { return m_level; }
    // Once the gesture is over: keeps one edit per cell, and drops what the
    // gesture itself took back (a cell painted and erased again, an entity
    // placed and removed, the start moved back), so that isEmpty() tells
    // whether the gesture changed anything at all.
    void settle();
    bool isEmpty() const { return m_cells.empty() && m_entities.empty() && !m_playerFrom; }

    // Writes a tile kind (or the empty value) into a cell; a cell that holds
    // it already records nothing.
    void setCell(int layer, int x, int y, qint16 value);
    // Appends an entity with an empty data text; false, and nothing changes,
    // when the level holds the most entities it can.
    [[nodiscard]] bool placeEntity(const Entity& entity);
    void removeEntity(int slot);
    // Moving the start onto itself records nothing.
    void movePlayer(qint16 x, qint16 y);

    LevelChange change() const override;

protected:
    void takeBack() override;
    void doAgain() override;
    qsizetype heldBytes() const override;
    void releaseHeld() override;

private:
    // Cells of a grid at most 70 wide and high fit in a byte.
    struct CellEdit
    {
        quint8 layer;
        quint8 x;
        quint8 y;
        qint16 before;
        qint16 after;
    };
    struct EntityEdit
    {
        bool placed; // else removed
        SlotEntity entity;
    };

    std::vector<CellEdit> m_cells;
    std::vector<EntityEdit> m_entities;
    std::optional<QPoint> m_playerFrom;
    QPoint m_playerTo;
};
