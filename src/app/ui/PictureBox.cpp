#include "app/ui/PictureBox.h"

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
