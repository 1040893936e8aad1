#include "IconArt.h"

#include <QPainter>
#include <QPen>

namespace {

// A small level seen from above: a brick wall along the top, floor, ice and
// water, and a gem on the middle tile, framed in red as the editor frames
// the selected kind.
constexpr qreal kOrigin = 40;
constexpr qreal kTile = 52;
constexpr qreal kPitch = 62; // tile and gap

const QColor kRim(40, 51, 65);
const QColor kBoard(58, 72, 88);
const QColor kFloor(184, 172, 150);
const QColor kFloorLight(206, 196, 176);
const QColor kFloorDark(146, 134, 112);
const QColor kBrick(156, 72, 50);
const QColor kMortar(92, 84, 78);
const QColor kIce(188, 226, 242);
const QColor kShine(248, 253, 255);
const QColor kWater(38, 98, 178);
const QColor kWave(104, 162, 226);
const QColor kGemLight(255, 226, 110);
const QColor kGem(240, 196, 40);
const QColor kGemDark(204, 150, 18);
const QColor kFrame(224, 32, 32);

IconShape box(qreal x, qreal y, qreal w, qreal h, const QColor& colour, qreal radius = 0)
{
    IconShape shape;
    shape.box = QRectF(x, y, w, h);
    shape.radius = radius;
    shape.colour = colour;
    return shape;
}

IconShape polygon(std::initializer_list<QPointF> points, const QColor& colour)
{
    IconShape shape;
    shape.kind = IconShape::Polygon;
    shape.points = QPolygonF(QVector<QPointF>(points));
    shape.colour = colour;
    return shape;
}

void addFloor(QVector<IconShape>& shapes, qreal x, qreal y)
{
    shapes << box(x, y, kTile, kTile, kFloor) << box(x, y, kTile, 4, kFloorLight) << box(x, y + kTile - 4, kTile, 4, kFloorDark);
}

void addWall(QVector<IconShape>& shapes, qreal x, qreal y)
{
    shapes << box(x, y, kTile, kTile, kBrick);
    // Three courses of bricks, the middle one offset by half a brick.
    shapes << box(x, y + 16, kTile, 3, kMortar) << box(x, y + 34, kTile, 3, kMortar);
    shapes << box(x + 25, y, 3, 16, kMortar) << box(x + 25, y + 37, 3, 15, kMortar);
    shapes << box(x + 12, y + 19, 3, 15, kMortar) << box(x + 38, y + 19, 3, 15, kMortar);
}

void addIce(QVector<IconShape>& shapes, qreal x, qreal y)
{
    shapes << box(x, y, kTile, kTile, kIce);
    shapes << polygon({{x + 8, y + 26}, {x + 26, y + 8}, {x + 32, y + 8}, {x + 8, y + 32}}, kShine);
    shapes << polygon({{x + 22, y + 44}, {x + 44, y + 22}, {x + 44, y + 28}, {x + 28, y + 44}}, kShine);
}

void addWater(QVector<IconShape>& shapes, qreal x, qreal y)
{
    shapes << box(x, y, kTile, kTile, kWater);
    for (int row = 0; row < 3; ++row) {
        const qreal waveY = y + 10 + row * 15;
        const qreal shift = (row % 2 == 0) ? 6 : 20;
        shapes << polygon({{x + shift, waveY + 4}, {x + shift + 7, waveY}, {x + shift + 14, waveY + 4}, {x + shift + 21, waveY},
                              {x + shift + 21, waveY + 3}, {x + shift + 14, waveY + 7}, {x + shift + 7, waveY + 3}, {x + shift, waveY + 7}},
            kWave);
    }
}

void addGem(QVector<IconShape>& shapes, qreal x, qreal y)
{
    const qreal cx = x + kTile / 2;
    const qreal top = y + 13;
    const qreal girdle = y + 23;
    const qreal point = y + 42;
    shapes << polygon({{cx - 10, top}, {cx + 10, top}, {cx + 19, girdle}, {cx - 19, girdle}}, kGemLight);
    shapes << polygon({{cx - 19, girdle}, {cx + 19, girdle}, {cx, point}}, kGem);
    shapes << polygon({{cx, girdle}, {cx + 19, girdle}, {cx, point}}, kGemDark);
}

QVector<IconShape> makeShapes()
{
    QVector<IconShape> shapes;
    shapes << box(12, 12, 232, 232, kRim, 40) << box(18, 18, 220, 220, kBoard, 34);
    const char layout[3][4] = {"www", "fgi", "~ff"};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const qreal x = kOrigin + column * kPitch;
            const qreal y = kOrigin + row * kPitch;
            switch (layout[row][column]) {
            case 'w':
                addWall(shapes, x, y);
                break;
            case 'i':
                addIce(shapes, x, y);
                break;
            case '~':
                addWater(shapes, x, y);
                break;
            case 'g':
                addFloor(shapes, x, y);
                addGem(shapes, x, y);
                break;
            default:
                addFloor(shapes, x, y);
                break;
            }
        }
    }
    IconShape frame = box(kOrigin + kPitch - 6, kOrigin + kPitch - 6, kTile + 12, kTile + 12, kFrame, 3);
    frame.kind = IconShape::Outline;
    frame.lineWidth = 6;
    shapes << frame;
    return shapes;
}

QString number(qreal value)
{
    return QString::number(value);
}

} // namespace

const QVector<IconShape>& iconShapes()
{
    static const QVector<IconShape> shapes = makeShapes();
    return shapes;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / kIconUnits, qreal(size) / kIconUnits);
    for (const IconShape& shape : iconShapes()) {
        switch (shape.kind) {
        case IconShape::Box:
            painter.setPen(Qt::NoPen);
            painter.setBrush(shape.colour);
            painter.drawRoundedRect(shape.box, shape.radius, shape.radius);
            break;
        case IconShape::Outline: {
            // Mitred corners, as an SVG stroke has them.
            QPen pen(shape.colour, shape.lineWidth);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(shape.box, shape.radius, shape.radius);
            break;
        }
        case IconShape::Polygon:
            painter.setPen(Qt::NoPen);
            painter.setBrush(shape.colour);
            painter.drawPolygon(shape.points);
            break;
        }
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray iconSvg()
{
    QString svg =
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n").arg(kIconUnits);
    for (const IconShape& shape : iconShapes()) {
        const QString colour = shape.colour.name();
        if (shape.kind == IconShape::Polygon) {
            QStringList points;
            for (const QPointF& point : shape.points)
                points << number(point.x()) + u',' + number(point.y());
            svg += QStringLiteral("  <polygon points=\"%1\" fill=\"%2\"/>\n").arg(points.join(u' '), colour);
            continue;
        }
        const QRectF& r = shape.box;
        const QString place = QStringLiteral("x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                                  .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()));
        const QString corners = shape.radius > 0 ? QStringLiteral(" rx=\"%1\"").arg(number(shape.radius)) : QString();
        if (shape.kind == IconShape::Box)
            svg += QStringLiteral("  <rect %1%2 fill=\"%3\"/>\n").arg(place, corners, colour);
        else
            svg += QStringLiteral("  <rect %1%2 fill=\"none\" stroke=\"%3\" stroke-width=\"%4\"/>\n")
                       .arg(place, corners, colour, number(shape.lineWidth));
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}
