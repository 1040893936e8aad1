// The map's zoom. The map's image keeps its designed 31-pixel cells; the
// surface shows it scaled, and the map's scroll bars count in the map's
// designed twips at every scale, so a value names the same place whatever
// the zoom and the handlers still get designed twips from the surface.
#include "editor/ui/frmMain.h"

#include "app/ui/PictureBox.h"
#include "editor/MapGeometry.h"
#include "editor/ui/MapSurface.h"
#include "model/modLists.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

void frmMain::buildZoomCommands()
{
    m_mapMenu->addSeparator();
    QList<QKeySequence> in = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    // Plus needs Shift on many keyboards; the key it shares works too.
    in.append(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    QAction* zoomIn = addCommand("actZoomIn", QStringLiteral("Zoom &In"), in);
    connect(zoomIn, &QAction::triggered, this, [this] { zoomBy(1); });
    QAction* zoomOut = addCommand("actZoomOut", QStringLiteral("&Zoom Out"), QKeySequence::keyBindings(QKeySequence::ZoomOut));
    connect(zoomOut, &QAction::triggered, this, [this] { zoomBy(-1); });
    QAction* designed = addCommand("actZoomReset", QStringLiteral("&Normal Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(designed, &QAction::triggered, this, [this] { zoomToStep(MapScale::designedStep); });
}

void frmMain::sizeMapSurface()
{
    const Level& level = modLists::level;
    const MainControl picInner = MainControl::picInner;
    const QSize image = mapgeometry::innerPixels(level.levelWidth, level.levelHeight);
    const double innerWidth = m_scale.shownLength(image.width()) * twipsPerPixel;
    const double innerHeight = m_scale.shownLength(image.height()) * twipsPerPixel;
    m_geometry.setWidth(picInner, m_geometry.width(picInner) - m_geometry.innerWidth(picInner) + innerWidth);
    m_geometry.setHeight(picInner, m_geometry.height(picInner) - m_geometry.innerHeight(picInner) + innerHeight);
    applyGeometry(picInner);

    m_cursor.fit(QSize(level.levelWidth, level.levelHeight));
    map()->setCursorCell(m_cursor.cell());
}

void frmMain::zoomBy(int steps)
{
    zoomToStep(m_scale.step() + steps);
}

void frmMain::zoomByWheel(const QWheelEvent& wheel)
{
    // A notch is a step; a fine wheel's turns add up to one.
    const QPoint angle = wheel.angleDelta();
    m_zoomWheel += angle.y() != 0 ? angle.y() : angle.x();
    const int notch = 120;
    const int steps = m_zoomWheel / notch;
    if (steps == 0)
        return;
    m_zoomWheel -= steps * notch;
    // The wheel's place is in the viewport's frame; the map lies in its inner area.
    const auto* area = m_controls.get<PictureBox>(MainControl::picArea);
    zoomToStep(m_scale.step() + steps, wheel.position() - QPointF(area->contentsRect().topLeft()));
}

void frmMain::zoomToStep(int step, std::optional<QPointF> anchor)
{
    MapScale scale = m_scale;
    if (!scale.setStep(std::clamp(step, 0, int(MapScale::cellSizes.size()) - 1)))
        return;

    auto* area = m_controls.get<PictureBox>(MainControl::picArea);
    auto* across = m_controls.get<QScrollBar>(MainControl::hscArea);
    auto* down = m_controls.get<QScrollBar>(MainControl::vscArea);
    const QSizeF visible((m_geometry.innerWidth(MainControl::picArea) - m_geometry.width(MainControl::vscArea)) / twipsPerPixel,
        (m_geometry.innerHeight(MainControl::picArea) - m_geometry.height(MainControl::hscArea)) / twipsPerPixel);
    if (!anchor) {
        const QPointF pointer = area->client()->mapFromGlobal(QCursor::pos());
        if (QRectF(QPointF(0, 0), visible).contains(pointer) && area->isVisible())
            anchor = pointer;
        else if (map()->isCursorShown())
            anchor = QPointF(map()->shownCell(m_cursor.cell()).center() + map()->pos());
        else
            anchor = QPointF(visible.width() / 2, visible.height() / 2);
    }

    // Where the anchor lies on the map, kept there as the scale changes.
    const double from = m_scale.factor();
    const double to = scale.factor();
    const double valueAcross = mapscale::valueKeeping(across->value(), anchor->x() * twipsPerPixel, from, to);
    const double valueDown = mapscale::valueKeeping(down->value(), anchor->y() * twipsPerPixel, from, to);

    m_scale = scale;
    map()->setScale(m_scale);
    sizeMapSurface();
    Form_Resize();
    across->setValue(std::clamp(static_cast<int>(std::lround(valueAcross)), across->minimum(), across->maximum()));
    down->setValue(std::clamp(static_cast<int>(std::lround(valueDown)), down->minimum(), down->maximum()));
    // The same values place the map elsewhere at another scale.
    hscArea_Change();
    vscArea_Change();
}
