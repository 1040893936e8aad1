// Map drawing and mouse editing of the main window.
#include "editor/frmMain.h"

#include "app/Messages.h"
#include "editor/MapEditing.h"
#include "editor/MapGeometry.h"
#include "editor/MapRenderer.h"
#include "editor/MapSurface.h"
#include "model/modLists.h"

MapSurface* frmMain::map() const
{
    return m_controls.get<MapSurface>(MainControl::picInner);
}

void frmMain::prcDrawTiles()
{
    const Level& level = modLists::level;
    const MainControl picInner = MainControl::picInner;
    const double innerWidth = mapgeometry::innerTwips(level.levelWidth);
    const double innerHeight = mapgeometry::innerTwips(level.levelHeight);
    m_geometry.setWidth(picInner, m_geometry.width(picInner) - m_geometry.innerWidth(picInner) + innerWidth);
    m_geometry.setHeight(picInner, m_geometry.height(picInner) - m_geometry.innerHeight(picInner) + innerHeight);
    applyGeometry(picInner);

    maprenderer::drawTiles(map()->image(), m_pictures, level, curView);
    map()->showAll();
}

void frmMain::prcDrawCell(qint16 x, qint16 y)
{
    // A cell outside the grid (an old player start after a resize) has nothing to draw.
    map()->showChanged(maprenderer::drawCell(map()->image(), m_pictures, modLists::level, curView, x, y));
}

void frmMain::picInner_MouseDown(int Button, int, double X, double Y)
{
    const mapediting::Outcome outcome = mapediting::mouseDown(modLists::level, selType, selIndex, curView, Button, X, Y);
    for (const QPoint& cell : outcome.cells)
        prcDrawCell(static_cast<qint16>(cell.x()), static_cast<qint16>(cell.y()));
    if (outcome.levelFull)
        Messages::report(this,
            QStringLiteral("This level already holds %1 entities, the most a level can hold. Remove one before placing another.")
                .arg(Level::maxEntities));
}

void frmMain::picInner_MouseMove(int Button, int Shift, double X, double Y)
{
    // Dragging paints or erases tiles only.
    if (Button > 0 && selType == 0)
        picInner_MouseDown(Button, Shift, X, Y);
}
