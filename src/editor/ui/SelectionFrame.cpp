#include "editor/ui/SelectionFrame.h"

#include <QPainter>

namespace {
constexpr int lineWidth = 2;
}

SelectionFrame::SelectionFrame(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SelectionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor red(255, 0, 0);
    const QRect r = rect();
    // The outline lies inside the frame's own square.
    painter.fillRect(r.left(), r.top(), r.width(), lineWidth, red);
    painter.fillRect(r.left(), r.bottom() - lineWidth + 1, r.width(), lineWidth, red);
    painter.fillRect(r.left(), r.top(), lineWidth, r.height(), red);
    painter.fillRect(r.right() - lineWidth + 1, r.top(), lineWidth, r.height(), red);
}
