#include "editor/ui/MapSurface.h"

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

void MapSurface::paintEvent(QPaintEvent* event)
{
    PictureBox::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner & event->rect());
    // Beyond the drawn image the map shows its plain background.
    painter.fillRect(inner, QColor::fromRgb(maprenderer::backgroundColour));
    painter.drawImage(inner.topLeft(), m_image);
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
