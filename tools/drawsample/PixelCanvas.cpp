#include "PixelCanvas.h"

#include <QPolygon>

PixelCanvas::PixelCanvas(QImage& image)
    : m_painter(&image)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void PixelCanvas::fill(const QColor& colour)
{
    m_painter.fillRect(0, 0, m_painter.device()->width(), m_painter.device()->height(), colour);
}

void PixelCanvas::pixel(int x, int y, const QColor& colour)
{
    m_painter.fillRect(x, y, 1, 1, colour);
}

void PixelCanvas::rect(int x, int y, int w, int h, const QColor& colour)
{
    m_painter.fillRect(x, y, w, h, colour);
}

void PixelCanvas::frame(int x, int y, int w, int h, const QColor& colour)
{
    rect(x, y, w, 1, colour);
    rect(x, y + h - 1, w, 1, colour);
    rect(x, y, 1, h, colour);
    rect(x + w - 1, y, 1, h, colour);
}

void PixelCanvas::line(int x0, int y0, int x1, int y1, const QColor& colour)
{
    m_painter.setPen(QPen(colour, 1));
    m_painter.drawLine(x0, y0, x1, y1);
}

void PixelCanvas::ellipse(int x, int y, int w, int h, const QColor& colour)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    m_painter.drawEllipse(x, y, w, h);
    m_painter.setBrush(Qt::NoBrush);
}

void PixelCanvas::ring(int x, int y, int w, int h, const QColor& colour)
{
    m_painter.setPen(QPen(colour, 1));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawEllipse(x, y, w - 1, h - 1);
}

void PixelCanvas::polygon(const QVector<QPoint>& points, const QColor& colour)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    m_painter.drawPolygon(QPolygon(points));
    m_painter.setBrush(Qt::NoBrush);
}

void PixelCanvas::outlinedPolygon(const QVector<QPoint>& points, const QColor& fillColour, const QColor& outline)
{
    m_painter.setPen(QPen(outline, 1));
    m_painter.setBrush(fillColour);
    m_painter.drawPolygon(QPolygon(points));
    m_painter.setBrush(Qt::NoBrush);
}

void PixelCanvas::speckle(int x, int y, int w, int h, int count, unsigned pattern, const QColor& colour)
{
    unsigned state = pattern * 2654435761u + 12345u;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        const int px = x + static_cast<int>((state >> 8) % static_cast<unsigned>(w));
        state = state * 1103515245u + 12345u;
        const int py = y + static_cast<int>((state >> 8) % static_cast<unsigned>(h));
        pixel(px, py, colour);
    }
}
