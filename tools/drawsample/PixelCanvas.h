#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QVector>

// Hard-edged drawing for small pictures: no antialiasing, so every picture
// keeps a few flat colours (the tile sheet must fit a 256-colour GIF, and the
// entity masks must be exactly black or white).
class PixelCanvas
{
public:
    explicit PixelCanvas(QImage& image);

    void fill(const QColor& colour);
    void pixel(int x, int y, const QColor& colour);
    void rect(int x, int y, int w, int h, const QColor& colour);
    void frame(int x, int y, int w, int h, const QColor& colour);
    void line(int x0, int y0, int x1, int y1, const QColor& colour);
    void ellipse(int x, int y, int w, int h, const QColor& colour);
    void ring(int x, int y, int w, int h, const QColor& colour);
    void polygon(const QVector<QPoint>& points, const QColor& colour);
    void outlinedPolygon(const QVector<QPoint>& points, const QColor& fillColour, const QColor& outline);
    // A few speckles at places that look scattered but are the same every run.
    void speckle(int x, int y, int w, int h, int count, unsigned pattern, const QColor& colour);

    QPainter& painter() { return m_painter; }

private:
    QPainter m_painter;
};
