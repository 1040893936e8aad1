#include "editor/ui/MapSurface.h"

#include "editor/ui/EditorAccessibility.h"

#include "editor/MapGeometry.h"
#include "editor/MapRenderer.h"
#include "editor/ScaledMap.h"
#include "layout/Design.h"

#include <QAccessible>
#include <QFocusEvent>
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
    installEditorAccessibility();
    // The map itself takes the mouse; nothing lies in its client area.
    client()->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::StrongFocus);
}

void MapSurface::showChanged(const QRect& pixels)
{
    if (pixels.isEmpty())
        return;
    update(m_scale.shownArea(pixels).translated(contentsRect().topLeft()));
    // A screen reader hears what the cursor's cell holds now.
    if (pixels.intersects(mapgeometry::cellPixels(m_cursorCell.x(), m_cursorCell.y())))
        announceCursor(false);
}

void MapSurface::showAll()
{
    update();
    announceCursor(false);
}

void MapSurface::setPreview(const ToolPreview& preview)
{
    if (preview == m_preview)
        return;
    update(previewPixels(m_preview));
    m_preview = preview;
    update(previewPixels(m_preview));
}

void MapSurface::setScale(const MapScale& scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    update();
}

QPointF MapSurface::twipsAt(QPointF position) const
{
    const QPointF shown = position - contentsRect().topLeft();
    return (m_scale.isDesigned() ? shown : m_scale.imagePoint(shown)) * twipsPerPixel;
}

QRect MapSurface::shownCell(QPoint cell) const
{
    return m_scale.shownCell(mapgeometry::cellPixels(cell.x(), cell.y())).translated(contentsRect().topLeft());
}

QRect MapSurface::previewPixels(const ToolPreview& preview) const
{
    if (preview.shape == ToolPreview::Shape::None)
        return {};
    const QRect cells = preview.rectangle;
    const QRect pixels(
        mapgeometry::cellCornerPixels(cells.left(), cells.top()), mapgeometry::cellPixels(cells.right(), cells.bottom()).bottomRight());
    // Room for the outline's pen on either side.
    return m_scale.shownCell(pixels).translated(contentsRect().topLeft()).adjusted(-2, -2, 2, 2);
}

QRect MapSurface::frameImagePixels(const QRect& cells)
{
    // The grid lines are the last three pixels of each cell: the frame runs
    // along their middle, between the tiles.
    const QPoint before(2, 2);
    return QRect(mapgeometry::cellCornerPixels(cells.left(), cells.top()) - before,
        mapgeometry::cellCornerPixels(cells.right() + 1, cells.bottom() + 1) - before);
}

QRect MapSurface::framePixels(const QRect& cells) const
{
    return m_scale.shownCell(frameImagePixels(cells)).translated(contentsRect().topLeft());
}

void MapSurface::setSelection(const QRect& frame, const QRect& liftedFrom)
{
    if (frame == m_selection && liftedFrom == m_liftedFrom)
        return;
    auto shown = [&](const QRect& cells) { return cells.isEmpty() ? QRect() : framePixels(cells).adjusted(-2, -2, 2, 2); };
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
        painter.drawImage(QRectF(frame), m_image, QRectF(frameImagePixels(m_liftedFrom)));
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
    paintImage(painter, inner, inner & event->rect());
    if (!m_selection.isEmpty())
        paintSelection(painter);
    if (m_preview.shape != ToolPreview::Shape::None) {
        // A tint over the cells the tool would change, and a line around
        // them, in a blue that stands out from the tiles.
        const QColor outline(0, 90, 200);
        const QColor tint(0, 90, 200, 60);
        painter.setPen(QPen(outline, 2));
        auto cellRect = [this](QPoint cell) { return shownCell(cell).adjusted(0, 0, -1, -1); };
        if (m_preview.shape == ToolPreview::Shape::Rectangle) {
            const QRect area = cellRect(m_preview.rectangle.topLeft()) | cellRect(m_preview.rectangle.bottomRight());
            painter.fillRect(area, tint);
            painter.drawRect(area);
        } else {
            for (const QPoint& cell : m_preview.cells) {
                painter.fillRect(cellRect(cell), tint);
                painter.drawRect(cellRect(cell));
            }
        }
    }
    paintCursor(painter);
}

void MapSurface::paintImage(QPainter& painter, const QRect& inner, const QRect& exposed) const
{
    if (m_scale.isDesigned()) {
        painter.drawImage(inner.topLeft(), m_image);
        return;
    }
    // Only the pixels in sight are worked out, however large the map.
    const QRect shown = exposed.translated(-inner.topLeft());
    painter.drawImage(exposed.topLeft(), scaledmap::shownPixels(m_image, m_scale, shown));
}

QRect MapSurface::cursorFrame(QPoint cell) const
{
    // Over the grid lines on either side of the tile's picture, and its edge.
    const QRect frame(mapgeometry::cellCornerPixels(cell.x(), cell.y()) - QPoint(3, 3), QSize(34, 34));
    return m_scale.shownCell(frame).translated(contentsRect().topLeft());
}

void MapSurface::paintCursor(QPainter& painter) const
{
    if (!isCursorShown())
        return;
    // Light, dark and light again: the frame shows against every tile.
    const QRect frame = cursorFrame(m_cursorCell);
    const QColor colours[] = {Qt::white, Qt::black, Qt::black, Qt::white};
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 4; ++ring) {
        painter.setPen(QPen(colours[ring], 1));
        painter.drawRect(frame.adjusted(ring, ring, -1 - ring, -1 - ring));
    }
}

void MapSurface::setCursorCell(QPoint cell)
{
    if (cell == m_cursorCell)
        return;
    if (isCursorShown())
        update(cursorFrame(m_cursorCell));
    m_cursorCell = cell;
    if (isCursorShown())
        update(cursorFrame(m_cursorCell));
    announceCursor(true);
}

void MapSurface::showCursor()
{
    if (m_cursorWanted)
        return;
    m_cursorWanted = true;
    update(cursorFrame(m_cursorCell));
}

void MapSurface::announceCursor(bool moved)
{
    if (!QAccessible::isActive() || !hasFocus())
        return;
    // Child 0 of the map's accessible interface is the cursor's cell.
    QAccessibleEvent event(this, moved ? QAccessible::Focus : QAccessible::NameChanged);
    event.setChild(0);
    QAccessible::updateAccessibility(&event);
}

void MapSurface::focusInEvent(QFocusEvent* event)
{
    // Reached with the keyboard, the map shows where the keyboard works;
    // a click shows nothing new until a key is used on the map.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        m_cursorWanted = true;
        emit focusedByKeyboard();
    }
    update(cursorFrame(m_cursorCell));
    announceCursor(true);
}

void MapSurface::focusOutEvent(QFocusEvent*)
{
    update(cursorFrame(m_cursorCell));
}

void MapSurface::mousePressEvent(QMouseEvent* event)
{
    const int button = buttonNumbers(event->button());
    if (button == 0) {
        event->ignore();
        return;
    }
    if (m_cursorWanted) {
        update(cursorFrame(m_cursorCell));
        m_cursorWanted = false;
    }
    const QPointF at = twipsAt(event->position());
    emit mouseDown(button, shiftNumbers(event->modifiers()), at.x(), at.y());
}

void MapSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = twipsAt(event->position());
    emit mouseMove(buttonNumbers(event->buttons()), shiftNumbers(event->modifiers()), at.x(), at.y());
}

void MapSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton)
        return;
    const QPointF at = twipsAt(event->position());
    emit mouseUp(buttonNumbers(event->button()), shiftNumbers(event->modifiers()), at.x(), at.y());
}
