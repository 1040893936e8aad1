#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QVector>

// The program's icon: a few flat shapes on a 256-unit square, drawn both as
// PNG pictures of any size and as SVG text, so every size shows the same art.
struct IconShape
{
    enum Kind { Box, Outline, Polygon };

    Kind kind = Box;
    QRectF box; // Box and Outline
    qreal radius = 0; // rounded corners of a Box or Outline
    qreal lineWidth = 0; // Outline
    QPolygonF points; // Polygon
    QColor colour;
};

constexpr int kIconUnits = 256;

const QVector<IconShape>& iconShapes();

QImage drawIcon(int size);
QByteArray iconSvg();
