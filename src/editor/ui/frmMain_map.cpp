// Map drawing and mouse editing of the main window.
#include "editor/ui/frmMain.h"

#include "app/ui/Messages.h"
#include "editor/MapEditing.h"
#include "editor/MapGeometry.h"
#include "editor/MapRenderer.h"
#include "editor/ui/MapSurface.h"
#include "model/LevelEditCommand.h"
#include "model/modLists.h"

#include <QEvent>

MapSurface* frmMain::map() const
{
    return m_controls.get<MapSurface>(MainControl::picInner);
}

void frmMain::prcDrawTiles()
{
    sizeMapSurface();
    maprenderer::drawTiles(map()->image(), m_pictures, modLists::level, curView);
    map()->showAll();
}

void frmMain::prcDrawCell(qint16 x, qint16 y)
{
    // A cell outside the grid (an old player start after a resize) has nothing to draw.
    map()->showChanged(maprenderer::drawCell(map()->image(), m_pictures, modLists::level, curView, x, y));
}

void frmMain::drawCells(const std::vector<QPoint>& cells)
{
    const Level& level = modLists::level;
    // A player start that a resize left outside the grid shows in the margin,
    // where no cell can be drawn again: only a whole redraw removes it.
    for (const QPoint& cell : cells)
        if (!level.levelTiles.contains(cell.x(), cell.y())) {
            prcDrawTiles();
            return;
        }
    // A quarter of the grid or more is drawn faster whole, with the same pixels.
    if (cells.size() * 4 >= size_t(level.levelWidth) * size_t(level.levelHeight)) {
        prcDrawTiles();
        return;
    }
    if (cells.size() <= 2) {
        for (const QPoint& cell : cells)
            prcDrawCell(static_cast<qint16>(cell.x()), static_cast<qint16>(cell.y()));
        return;
    }
    map()->showChanged(maprenderer::drawCells(map()->image(), m_pictures, level, curView, cells));
}

void frmMain::picInner_MouseDown(int Button, int, double X, double Y)
{
    if (!m_tools.actsAsBrush(selType)) {
        toolPress(Button, X, Y);
        return;
    }
    // A press opens a gesture; a second button or a drag continues it.
    if (!m_gesture)
        m_gesture = std::make_unique<LevelEditCommand>(modLists::level);
    const mapediting::Outcome outcome =
        mapediting::mouseDown(*m_gesture, {selType, selIndex}, curView, MouseButtons::fromInt(Button), QPointF(X, Y));
    if (outcome.marksChanged)
        m_history.markChanged();
    drawCells(outcome.cells);
    if (outcome.levelFull) {
        finishGesture();
        Messages::report(this,
            QStringLiteral("This level already holds %1 entities, the most a level can hold. Remove one before placing another.")
                .arg(Level::maxEntities));
    }
}

void frmMain::picInner_MouseMove(int Button, int Shift, double X, double Y)
{
    if (m_tools.isDragging()) {
        toolMove(X, Y);
        return;
    }
    // Dragging the brush paints or erases tiles only.
    if (Button > 0 && selType == SelType::Tile && m_tools.actsAsBrush(selType))
        picInner_MouseDown(Button, Shift, X, Y);
}

void frmMain::picInner_MouseUp(int, int, double X, double Y)
{
    if (m_tools.isDragging())
        toolRelease(X, Y);
    finishGesture();
}

void frmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A window that loses the mouse in the middle of a gesture (a message
    // box, another window) may never see its buttons go up.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        finishGesture();
        m_tools.cancel();
        map()->setPreview(m_tools.preview());
    }
}

void frmMain::finishGesture()
{
    std::unique_ptr<LevelEditCommand> gesture = std::move(m_gesture);
    if (!gesture)
        return;
    // A gesture that changed nothing (outside the grid, an empty cell erased,
    // a cell painted and erased again) is no step.
    gesture->settle();
    if (!gesture->isEmpty())
        m_history.record(std::move(gesture));
}
