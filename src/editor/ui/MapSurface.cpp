#include "editor/ui/MapSurface.h"

#include "editor/MapGeometry.h"
#include "editor/MapRenderer.h"
#include "layout/Design.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

int buttonNumbers(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) + (buttons & Qt::RightButton ? 2 : 0) + (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftNumbers(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0) + (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

MapSurface::MapSurface(QWidget* parent)
    : PictureBox(parent)
{
    // The map itself takes the mouse; nothing lies in its client area.
    client()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MapSurface::showChanged(const QRect& pixels)
{
    if (!pixels.isEmpty())
        update(pixels.translated(contentsRect().topLeft()));
}

void MapSurface::showAll()
{
    update();
}

void MapSurface::setPreview(const ToolPreview& preview)
{
    if (preview == m_preview)
        return;
    update(previewPixels(m_preview));
    m_preview = preview;
    update(previewPixels(m_preview));
}

QRect MapSurface::previewPixels(const ToolPreview& preview) const
{
    if (preview.shape == ToolPreview::Shape::None)
        return {};
    const QRect cells = preview.rectangle;
    const QRect pixels(
        mapgeometry::cellCornerPixels(cells.left(), cells.top()), mapgeometry::cellPixels(cells.right(), cells.bottom()).bottomRight());
    // Room for the outline's pen on either side.
    return pixels.translated(contentsRect().topLeft()).adjusted(-2, -2, 2, 2);
}

QRect MapSurface::framePixels(const QRect& cells)
{
    // The grid lines are the last three pixels of each cell: the frame runs
    // along their middle, between the tiles.
    const QPoint before(2, 2);
    return QRect(mapgeometry::cellCornerPixels(cells.left(), cells.top()) - before,
        mapgeometry::cellCornerPixels(cells.right() + 1, cells.bottom() + 1) - before);
}

void MapSurface::setSelection(const QRect& frame, const QRect& liftedFrom)
{
    if (frame == m_selection && liftedFrom == m_liftedFrom)
        return;
    const QPoint inner = contentsRect().topLeft();
    auto shown = [&](const QRect& cells) {
        return cells.isEmpty() ? QRect() : framePixels(cells).translated(inner).adjusted(-2, -2, 2, 2);
    };
    update(shown(m_selection));
    m_selection = frame;
    m_liftedFrom = liftedFrom;
    update(shown(m_selection));
}

void MapSurface::paintSelection(QPainter& painter) const
{
    const QRect frame = framePixels(m_selection);
    // The level does not change while a block is dragged, so its picture is
    // still in the image where it was lifted.
    if (!m_liftedFrom.isEmpty()) {
        painter.setOpacity(0.8);
        painter.drawImage(frame.topLeft(), m_image, framePixels(m_liftedFrom));
        painter.setOpacity(1);
    }
    // Black dashes on white, two pixels wide in the grid line, show on any tile.
    const QRectF line = QRectF(frame).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(line);
    QPen dashes(Qt::black, 2, Qt::CustomDashLine);
    dashes.setDashPattern({2, 2});
    painter.setPen(dashes);
    painter.drawRect(line);
}

void MapSurface::paintEvent(QPaintEvent* event)
{
    PictureBox::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner & event->rect());
    // Beyond the drawn image the map shows its plain background.
    painter.fillRect(inner, QColor::fromRgb(maprenderer::backgroundColour));
    painter.drawImage(inner.topLeft(), m_image);
    painter.translate(inner.topLeft());
    if (!m_selection.isEmpty())
        paintSelection(painter);
    if (m_preview.shape == ToolPreview::Shape::None)
        return;

    // A tint over the cells the tool would change, and a line around them,
    // in a blue that stands out from the tiles.
    const QColor outline(0, 90, 200);
    const QColor tint(0, 90, 200, 60);
    painter.setPen(QPen(outline, 2));
    auto cellRect = [](QPoint cell) { return mapgeometry::cellPixels(cell.x(), cell.y()).adjusted(0, 0, -1, -1); };
    if (m_preview.shape == ToolPreview::Shape::Rectangle) {
        const QRect area = cellRect(m_preview.rectangle.topLeft()) | cellRect(m_preview.rectangle.bottomRight());
        painter.fillRect(area, tint);
        painter.drawRect(area);
        return;
    }
    for (const QPoint& cell : m_preview.cells) {
        painter.fillRect(cellRect(cell), tint);
        painter.drawRect(cellRect(cell));
    }
}

void MapSurface::mousePressEvent(QMouseEvent* event)
{
    const int button = buttonNumbers(event->button());
    if (button == 0) {
        event->ignore();
        return;
    }
    const QPointF at = (event->position() - contentsRect().topLeft()) * twipsPerPixel;
    emit mouseDown(button, shiftNumbers(event->modifiers()), at.x(), at.y());
}

void MapSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = (event->position() - contentsRect().topLeft()) * twipsPerPixel;
    emit mouseMove(buttonNumbers(event->buttons()), shiftNumbers(event->modifiers()), at.x(), at.y());
}

void MapSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton)
        return;
    const QPointF at = (event->position() - contentsRect().topLeft()) * twipsPerPixel;
    emit mouseUp(buttonNumbers(event->button()), shiftNumbers(event->modifiers()), at.x(), at.y());
}
