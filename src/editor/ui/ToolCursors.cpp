#include "editor/ui/ToolCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A small drawing in black with a white edge, so that it shows on any tile,
// with its hot spot where the tool acts.
QCursor drawnCursor(const QPainterPath& shape, QPoint hotSpot)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(shape);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(shape);
    painter.end();
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

// Cross hairs at the hot spot, with the tool's sign beside them.
QPainterPath crossHairs()
{
    QPainterPath path;
    path.moveTo(2, 8);
    path.lineTo(14, 8);
    path.moveTo(8, 2);
    path.lineTo(8, 14);
    return path;
}

QPainterPath rectangleSign()
{
    QPainterPath path = crossHairs();
    path.addRect(16, 18, 12, 9);
    return path;
}

QPainterPath lineSign()
{
    QPainterPath path = crossHairs();
    path.moveTo(16, 28);
    path.lineTo(29, 17);
    return path;
}

QPainterPath fillSign()
{
    // A tipped bucket with a drop running from it.
    QPainterPath path = crossHairs();
    path.moveTo(17, 16);
    path.lineTo(27, 20);
    path.lineTo(24, 29);
    path.lineTo(15, 25);
    path.closeSubpath();
    path.moveTo(16, 19);
    path.lineTo(14, 27);
    return path;
}

QPainterPath pickSign()
{
    // A dropper whose tip is the hot spot.
    QPainterPath path;
    path.moveTo(3, 29);
    path.lineTo(16, 16);
    path.moveTo(13, 13);
    path.lineTo(19, 19);
    path.addEllipse(QPointF(23, 9), 5, 5);
    return path;
}

QPainterPath selectSign()
{
    // A dashed rectangle.
    QPainterPath path = crossHairs();
    for (int x = 16; x < 28; x += 4) {
        path.moveTo(x, 17);
        path.lineTo(x + 2, 17);
        path.moveTo(x, 28);
        path.lineTo(x + 2, 28);
    }
    for (int y = 19; y < 28; y += 4) {
        path.moveTo(15, y);
        path.lineTo(15, y + 2);
        path.moveTo(29, y);
        path.lineTo(29, y + 2);
    }
    return path;
}

} // namespace

QCursor toolCursor(Tool tool)
{
    switch (tool) {
    case Tool::Brush:
        break;
    case Tool::Rectangle:
        return drawnCursor(rectangleSign(), {8, 8});
    case Tool::Fill:
        return drawnCursor(fillSign(), {8, 8});
    case Tool::Line:
        return drawnCursor(lineSign(), {8, 8});
    case Tool::Pick:
        return drawnCursor(pickSign(), {3, 29});
    case Tool::Select:
        return drawnCursor(selectSign(), {8, 8});
    }
    return QCursor(Qt::ArrowCursor);
}
