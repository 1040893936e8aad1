#include "editor/MapTools.h"

#include "editor/BlockOperations.h"
#include "model/Level.h"

void MapTools::choose(Tool tool)
{
    cancel();
    if (tool == Tool::Pick && m_tool != Tool::Pick)
        m_beforePick = m_tool;
    m_tool = tool;
}

bool MapTools::actsAsBrush(SelType selected) const
{
    return m_tool == Tool::Brush || (m_tool != Tool::Pick && m_tool != Tool::Select && selected == SelType::Player);
}

ToolPreview MapTools::preview() const
{
    ToolPreview preview;
    if (!m_drag)
        return preview;
    preview.rectangle = areaops::cellSpan(m_drag->anchor, m_drag->current);
    if (m_tool == Tool::Rectangle) {
        preview.shape = ToolPreview::Shape::Rectangle;
    } else {
        preview.shape = ToolPreview::Shape::Line;
        preview.cells = areaops::lineCells(m_drag->anchor, m_drag->current);
    }
    return preview;
}

MapTools::Outcome MapTools::press(Level& level, const Press& press)
{
    Outcome outcome;
    const bool erase = press.buttons != MouseButton::Left;
    switch (m_tool) {
    case Tool::Brush:
        break;
    case Tool::Pick:
        outcome.picked = maptools::pickAt(level, press.view, press.cell);
        m_tool = m_beforePick;
        break;
    case Tool::Fill: {
        areaops::Outcome filled = areaops::fill(level, press.selection, press.view, erase, press.cell);
        outcome.step = std::move(filled.step);
        break;
    }
    case Tool::Rectangle:
    case Tool::Line:
        if (!m_drag)
            m_drag = Drag{press.selection, press.view, erase, press.cell, press.cell};
        break;
    case Tool::Select:
        // The right button keeps to its menu; a second button joins the drag.
        if (!erase && m_selection.drag() == MapSelection::Drag::None) {
            m_selection.press(press.cell, QSize(level.levelWidth, level.levelHeight));
            m_moveView = press.view;
        }
        break;
    }
    return outcome;
}

bool MapTools::move(QPoint cell)
{
    if (m_selection.drag() != MapSelection::Drag::None)
        return m_selection.dragTo(cell);
    if (!m_drag || m_drag->current == cell)
        return false;
    m_drag->current = cell;
    return true;
}

MapTools::Outcome MapTools::release(Level& level, QPoint cell)
{
    Outcome outcome;
    if (m_selection.drag() != MapSelection::Drag::None) {
        const QRect lifted = m_selection.cells();
        if (const std::optional<QPoint> by = m_selection.release(cell)) {
            areaops::Outcome moved = blockops::move(level, m_moveView, lifted, *by);
            outcome.step = std::move(moved.step);
            if (outcome.step)
                outcome.step->setFrames(lifted, m_selection.cells());
        }
        return outcome;
    }
    if (!m_drag)
        return outcome;
    const Drag drag = *m_drag;
    m_drag.reset();
    const std::vector<QPoint> cells =
        m_tool == Tool::Rectangle ? areaops::rectangleCells(drag.anchor, cell) : areaops::lineCells(drag.anchor, cell);
    areaops::Outcome painted = areaops::paintCells(level, drag.selection, drag.view, drag.erase, cells);
    outcome.step = std::move(painted.step);
    outcome.levelFull = painted.levelFull;
    return outcome;
}

void MapTools::cancel()
{
    m_drag.reset();
    m_selection.cancel();
}

namespace maptools {

std::optional<PaletteSelection> pickAt(const Level& level, int view, QPoint cell)
{
    const int x = cell.x();
    const int y = cell.y();
    if (!level.levelTiles.contains(x, y))
        return std::nullopt;
    if (level.playerX == x && level.playerY == y)
        return PaletteSelection{SelType::Player, -1};
    auto entityOn = [&](int layer) { return levelops::lastEntityAt(level, layer, x, y); };
    if (const int slot = entityOn(view); slot >= 0)
        return PaletteSelection{SelType::Entity, level.entities[static_cast<size_t>(slot)].kind};
    if (const qint16 own = level.levelTiles(view, x, y); own >= 0)
        return PaletteSelection{SelType::Tile, own};
    if (const int slot = entityOn(0); slot >= 0)
        return PaletteSelection{SelType::Entity, level.entities[static_cast<size_t>(slot)].kind};
    return PaletteSelection{SelType::Tile, level.levelTiles(0, x, y)};
}

} // namespace maptools
