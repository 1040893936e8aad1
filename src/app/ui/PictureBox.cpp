#include "app/ui/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
    , m_client(new QWidget(this))
{
    setBorder(true);
}

void PictureBox::setBorder(bool border)
{
    if (border) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    m_client->setGeometry(contentsRect());
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_client->setGeometry(contentsRect());
}

void PictureBox::setHighlight(bool highlight)
{
    if (highlight == m_highlight)
        return;
    m_highlight = highlight;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!m_highlight)
        return;
    QPainter painter(this);
    const QBrush highlight = palette().highlight();
    const QRect r = rect();
    painter.fillRect(r.left(), r.top(), r.width(), 2, highlight);
    painter.fillRect(r.left(), r.bottom() - 1, r.width(), 2, highlight);
    painter.fillRect(r.left(), r.top(), 2, r.height(), highlight);
    painter.fillRect(r.right() - 1, r.top(), 2, r.height(), highlight);
}
