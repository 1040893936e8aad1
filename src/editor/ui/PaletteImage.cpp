#include "editor/ui/PaletteImage.h"

#include <QMouseEvent>

PaletteImage::PaletteImage(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PaletteImage::setPicture(const QImage& picture)
{
    setPixmap(QPixmap::fromImage(picture));
}

void PaletteImage::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a left press released over the image.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
