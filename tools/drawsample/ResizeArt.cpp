#include "ResizeArt.h"

#include "PixelCanvas.h"

#include <QPen>

namespace {

const QColor kTransparent(255, 0, 255);
const QColor kLevel(214, 222, 236);
const QColor kGrid(170, 182, 204);
const QColor kOutline(56, 66, 88);
const QColor kGrown(168, 226, 168);
const QColor kGrownEdge(52, 150, 62);
const QColor kCut(246, 172, 160);
const QColor kCutEdge(192, 52, 40);
const QColor kArrow(28, 64, 150);

constexpr int kBoxNear = 22; // where the level's chosen corner sits, seen from that corner
constexpr int kBoxFar = 54; // the level's opposite corner
constexpr int kStrip = 9; // how far the chosen edges move in the picture

void arrow(PixelCanvas& c, QPoint tail, QPoint head)
{
    const QPoint d((head.x() > tail.x()) - (head.x() < tail.x()), (head.y() > tail.y()) - (head.y() < tail.y()));
    const QPoint neck = head - d * 6;
    c.painter().setPen(QPen(kArrow, 4, Qt::SolidLine, Qt::FlatCap));
    c.painter().drawLine(tail, neck);
    // The head is a triangle across the direction of travel.
    const QPoint across(-d.y(), d.x());
    const int wing = (d.x() != 0 && d.y() != 0) ? 5 : 7;
    c.polygon({head + d, neck - d + across * wing, neck - d - across * wing}, kArrow);
}

// An arrow across an edge: from the edge outward when the level grows there,
// from outside onto the edge when it shrinks.
void edgeArrow(PixelCanvas& c, QPoint onEdge, QPoint d, bool grows)
{
    if (grows)
        arrow(c, onEdge - d, onEdge + d * 18);
    else
        arrow(c, onEdge - d * 18, onEdge + d * 3);
}

} // namespace

QImage drawResizeButton(int corner, int row)
{
    QImage image(kResizeCell, kResizeCell, QImage::Format_RGB32);
    PixelCanvas c(image);
    c.fill(kTransparent);

    // sx, sy: which way is outward at this corner; gx, gy: 1 grows, -1 shrinks.
    const int sx = (corner % 2 == 0) ? -1 : 1;
    const int sy = (corner < 2) ? -1 : 1;
    const int gx = 1 - row % 3;
    const int gy = 1 - row / 3;

    const int nearX = sx < 0 ? kBoxNear : kResizeShown - 1 - kBoxNear;
    const int nearY = sy < 0 ? kBoxNear : kResizeShown - 1 - kBoxNear;
    const int farX = sx < 0 ? kBoxFar : kResizeShown - 1 - kBoxFar;
    const int farY = sy < 0 ? kBoxFar : kResizeShown - 1 - kBoxFar;
    const QRect box = QRect(QPoint(qMin(nearX, farX), qMin(nearY, farY)), QPoint(qMax(nearX, farX), qMax(nearY, farY)));

    // The strips that the chosen corner adds or takes away; each reaches over
    // the other's, so that a corner grown both ways is filled in.
    const int movedX = nearX + sx * gx * kStrip;
    const int movedY = nearY + sy * gy * kStrip;
    const QRect columnStrip(QPoint(qMin(nearX, movedX), qMin(box.top(), movedY)), QPoint(qMax(nearX, movedX), qMax(box.bottom(), movedY)));
    const QRect rowStrip(QPoint(qMin(box.left(), movedX), qMin(nearY, movedY)), QPoint(qMax(box.right(), movedX), qMax(nearY, movedY)));

    c.rect(box.x(), box.y(), box.width(), box.height(), kLevel);
    for (int k = 1; k < 4; ++k) {
        const int x = box.left() + k * box.width() / 4;
        const int y = box.top() + k * box.height() / 4;
        c.line(x, box.top(), x, box.bottom(), kGrid);
        c.line(box.left(), y, box.right(), y, kGrid);
    }
    // Grown strips first, so that a strip cut away is drawn over them.
    for (const int pass : {1, -1}) {
        const QColor fillColour = pass > 0 ? kGrown : kCut;
        const QColor edge = pass > 0 ? kGrownEdge : kCutEdge;
        if (gx == pass) {
            c.rect(columnStrip.x(), columnStrip.y(), columnStrip.width(), columnStrip.height(), fillColour);
            c.frame(columnStrip.x(), columnStrip.y(), columnStrip.width(), columnStrip.height(), edge);
        }
        if (gy == pass) {
            c.rect(rowStrip.x(), rowStrip.y(), rowStrip.width(), rowStrip.height(), fillColour);
            c.frame(rowStrip.x(), rowStrip.y(), rowStrip.width(), rowStrip.height(), edge);
        }
    }
    c.frame(box.x(), box.y(), box.width(), box.height(), kOutline);
    c.frame(box.x() + 1, box.y() + 1, box.width() - 2, box.height() - 2, kOutline);

    const QPoint cornerPoint(nearX, nearY);
    if (gx == 0 && gy == 0) {
        c.ellipse(nearX - 5, nearY - 5, 11, 11, kArrow);
        c.ellipse(nearX - 2, nearY - 2, 5, 5, kLevel);
        return image;
    }
    // Growing or shrinking both ways is one diagonal arrow at the corner;
    // otherwise each edge that moves gets a straight arrow of its own, slid a
    // little along that edge so that it sits on the edge, not on the corner.
    if (gx == gy) {
        const QPoint d(gx * sx, gy * sy);
        if (gx > 0)
            arrow(c, cornerPoint - d, cornerPoint + d * 18);
        else
            arrow(c, cornerPoint - d * 18, cornerPoint + d * 3);
    } else {
        if (gx != 0)
            edgeArrow(c, QPoint(nearX, nearY - sy * 12), QPoint(gx * sx, 0), gx > 0);
        if (gy != 0)
            edgeArrow(c, QPoint(nearX - sx * 12, nearY), QPoint(0, gy * sy), gy > 0);
    }
    return image;
}

QImage drawResizeSheet()
{
    QImage sheet(kResizeColumns * kResizeCell, kResizeRows * kResizeCell, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int row = 0; row < kResizeRows; ++row) {
        for (int corner = 0; corner < kResizeColumns; ++corner)
            painter.drawImage(corner * kResizeCell, row * kResizeCell, drawResizeButton(corner, row));
    }
    return sheet;
}
