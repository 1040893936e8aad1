#include "editor/ui/PaletteBox.h"

#include "editor/ui/EditorAccessibility.h"

#include <QAccessible>
#include <QKeyEvent>

PaletteBox::PaletteBox(QWidget* parent)
    : PictureBox(parent)
{
    installEditorAccessibility();
    setFocusPolicy(Qt::TabFocus);
}

void PaletteBox::setCurrent(QWidget* entry)
{
    if (entry == m_current)
        return;
    m_current = entry;
    announceCurrent();
}

void PaletteBox::announceCurrent()
{
    if (!m_current || !hasFocus() || !QAccessible::isActive())
        return;
    QAccessibleEvent event(m_current, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void PaletteBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        emit stepped(-1, 0);
        break;
    case Qt::Key_Right:
        emit stepped(1, 0);
        break;
    case Qt::Key_Up:
        emit stepped(0, -1);
        break;
    case Qt::Key_Down:
        emit stepped(0, 1);
        break;
    case Qt::Key_Home:
        emit jumped(false);
        break;
    case Qt::Key_End:
        emit jumped(true);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit chosen();
        break;
    default:
        PictureBox::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PaletteBox::focusInEvent(QFocusEvent*)
{
    emit focusChanged(true);
    announceCurrent();
}

void PaletteBox::focusOutEvent(QFocusEvent*)
{
    emit focusChanged(false);
}
