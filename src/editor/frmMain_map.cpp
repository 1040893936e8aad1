// Map drawing, palettes and mouse editing of the main window.
#include "editor/frmMain.h"

#include "model/modLists.h"

void frmMain::prcDrawTiles()
{
    const Level& level = modLists::level;
    const QString picInner = QStringLiteral("picInner");
    const double innerWidth = 465.0 * level.levelWidth + 240;
    const double innerHeight = 465.0 * level.levelHeight + 240;
    m_geometry.setWidth(picInner, m_geometry.width(picInner) - m_geometry.innerWidth(picInner) + innerWidth);
    m_geometry.setHeight(picInner, m_geometry.height(picInner) - m_geometry.innerHeight(picInner) + innerHeight);
    applyGeometry(picInner);
}

void frmMain::prcDrawCell(qint16, qint16)
{
}

void frmMain::imgTile_Click(int)
{
}

void frmMain::imgEntity_Click(int)
{
}

void frmMain::imgGuy_Click()
{
}

void frmMain::picInner_MouseDown(int, int, double, double)
{
}

void frmMain::picInner_MouseMove(int, int, double, double)
{
}
