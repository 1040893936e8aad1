#include "desktop/ScriptedPresses.h"

#include "editor/MapGeometry.h"

#include <QCoreApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QTimer>

namespace {

constexpr int pauseMs = 300;

void click(QWidget* map, QPoint cell)
{
    // A cell's centre, inside the map's border.
    const auto* frame = qobject_cast<QFrame*>(map);
    const QPoint inside = frame ? frame->contentsRect().topLeft() : QPoint();
    const QPoint at = inside + mapgeometry::cellCornerPixels(cell.x(), cell.y()) + QPoint(15, 15);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, map->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(map, &event);
    }
}

} // namespace

void pressScriptedCells(QWidget* window, const QByteArray& cells)
{
    QWidget* map = window->findChild<QWidget*>(QStringLiteral("picInner"));
    if (!map)
        return;
    int step = 0;
    for (const QByteArray& cell : cells.simplified().split(' ')) {
        const QList<QByteArray> xy = cell.split(',');
        bool xRead = false;
        bool yRead = false;
        const QPoint at(xy.value(0).toInt(&xRead), xy.value(1).toInt(&yRead));
        if (xy.size() != 2 || !xRead || !yRead)
            return;
        QTimer::singleShot(++step * pauseMs, map, [map, at] { click(map, at); });
    }
}
