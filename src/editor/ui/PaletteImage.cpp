#include "editor/ui/PaletteImage.h"

#include "editor/ui/EditorAccessibility.h"

#include <QAccessible>
#include <QMouseEvent>

PaletteImage::PaletteImage(QWidget* parent)
    : QLabel(parent)
{
    installEditorAccessibility();
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PaletteImage::setPicture(const QImage& picture)
{
    setPixmap(QPixmap::fromImage(picture));
}

void PaletteImage::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PaletteImage::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a left press released over the image.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
