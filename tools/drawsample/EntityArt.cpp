#include "EntityArt.h"

#include "PixelCanvas.h"

namespace {

void erase(PixelCanvas& c, void (PixelCanvas::*shape)(int, int, int, int, const QColor&), int x, int y, int w, int h)
{
    c.painter().setCompositionMode(QPainter::CompositionMode_Source);
    (c.*shape)(x, y, w, h, Qt::transparent);
    c.painter().setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void drawBox(PixelCanvas& c)
{
    const QColor outline(64, 38, 14);
    const QColor wood(178, 118, 58);
    const QColor woodDark(132, 84, 38);
    const QColor woodLight(210, 156, 92);
    c.rect(3, 3, 22, 22, outline);
    c.rect(4, 4, 20, 20, woodDark);
    c.rect(7, 7, 14, 14, wood);
    c.rect(4, 4, 20, 1, woodLight);
    c.rect(4, 4, 1, 20, woodLight);
    c.line(7, 13, 20, 13, woodDark);
    c.line(7, 17, 20, 17, woodDark);
    for (int i = 0; i < 14; ++i) {
        c.pixel(7 + i, 20 - i, woodLight);
        c.pixel(8 + i, 20 - i, woodLight);
    }
    for (const QPoint& p : {QPoint(5, 5), QPoint(22, 5), QPoint(5, 22), QPoint(22, 22)})
        c.pixel(p.x(), p.y(), outline);
}

void drawDoor(PixelCanvas& c)
{
    const QColor outline(56, 32, 14);
    const QColor wood(146, 88, 44);
    const QColor plank(110, 64, 28);
    const QColor iron(72, 74, 86);
    const QColor gold(226, 184, 40);
    c.ellipse(4, 1, 20, 16, outline);
    c.rect(4, 9, 20, 18, outline);
    c.ellipse(5, 2, 18, 14, wood);
    c.rect(5, 9, 18, 17, wood);
    for (const int x : {9, 14, 19})
        c.line(x, 3, x, 25, plank);
    c.rect(5, 8, 18, 2, iron);
    c.rect(5, 21, 18, 2, iron);
    c.rect(15, 12, 5, 7, outline);
    c.rect(16, 13, 3, 5, gold);
    c.pixel(17, 14, outline);
    c.line(17, 15, 17, 16, outline);
}

void drawKey(PixelCanvas& c)
{
    const QColor outline(118, 84, 10);
    const QColor gold(236, 194, 46);
    const QColor shine(252, 236, 150);
    c.ellipse(2, 7, 14, 14, outline);
    c.rect(14, 11, 12, 6, outline);
    c.rect(18, 16, 4, 6, outline);
    c.rect(23, 16, 3, 5, outline);
    c.ellipse(3, 8, 12, 12, gold);
    c.rect(14, 12, 11, 4, gold);
    c.rect(19, 16, 2, 5, gold);
    c.rect(24, 16, 1, 4, gold);
    c.rect(15, 12, 9, 1, shine);
    c.pixel(5, 11, shine);
    c.pixel(6, 10, shine);
    c.ellipse(6, 11, 6, 6, outline);
    erase(c, &PixelCanvas::ellipse, 7, 12, 4, 4);
}

void drawSwitch(PixelCanvas& c)
{
    const QColor outline(40, 42, 50);
    const QColor metal(116, 120, 134);
    const QColor metalLight(170, 174, 188);
    const QColor stick(196, 198, 208);
    const QColor knob(226, 46, 46);
    const QColor knobLight(255, 140, 130);
    for (int i = 0; i < 12; ++i) {
        c.rect(12 + i / 2, 18 - i, 4, 2, outline);
    }
    for (int i = 0; i < 12; ++i)
        c.rect(13 + i / 2, 18 - i, 2, 1, stick);
    c.ellipse(16, 2, 9, 9, outline);
    c.ellipse(17, 3, 7, 7, knob);
    c.rect(19, 4, 2, 2, knobLight);
    c.ellipse(8, 14, 12, 10, outline);
    c.ellipse(9, 15, 10, 8, QColor(60, 62, 72));
    c.rect(3, 20, 22, 6, outline);
    c.rect(4, 21, 20, 4, metal);
    c.rect(4, 21, 20, 1, metalLight);
    c.pixel(6, 23, outline);
    c.pixel(21, 23, outline);
}

void drawGate(PixelCanvas& c)
{
    const QColor outline(36, 38, 48);
    const QColor iron(96, 102, 122);
    const QColor ironLight(156, 162, 184);
    for (const int x : {3, 9, 15, 21}) {
        c.rect(x, 2, 5, 22, outline);
        c.rect(x + 1, 24, 3, 2, outline);
        c.pixel(x + 2, 26, outline);
        c.rect(x + 1, 3, 3, 22, iron);
        c.rect(x + 1, 3, 1, 22, ironLight);
    }
    for (const int y : {2, 10, 18}) {
        c.rect(2, y, 24, 4, outline);
        c.rect(3, y + 1, 22, 2, iron);
        c.rect(3, y + 1, 22, 1, ironLight);
    }
}

void drawTeleport(PixelCanvas& c)
{
    const QColor violet(150, 60, 214);
    const QColor lilac(214, 160, 252);
    const QColor spark(255, 244, 255);
    c.ellipse(3, 3, 22, 22, violet);
    c.ellipse(5, 5, 18, 18, lilac);
    erase(c, &PixelCanvas::ellipse, 7, 7, 14, 14);
    c.ellipse(10, 10, 8, 8, violet);
    c.ellipse(12, 12, 4, 4, spark);
    for (const QPoint& p : {QPoint(2, 2), QPoint(24, 2), QPoint(2, 24), QPoint(24, 24)}) {
        c.pixel(p.x() + 1, p.y(), spark);
        c.pixel(p.x(), p.y() + 1, spark);
        c.pixel(p.x() + 1, p.y() + 1, lilac);
        c.pixel(p.x() + 2, p.y() + 1, spark);
        c.pixel(p.x() + 1, p.y() + 2, spark);
    }
}

void drawGem(PixelCanvas& c)
{
    const QColor outline(14, 72, 44);
    const QColor green(42, 190, 118);
    const QColor light(150, 244, 196);
    const QColor dark(22, 124, 74);
    c.polygon({{13, 2}, {14, 2}, {26, 11}, {26, 12}, {14, 26}, {13, 26}, {1, 12}, {1, 11}}, outline);
    c.polygon({{13, 4}, {14, 4}, {24, 11}, {24, 12}, {14, 24}, {13, 24}, {3, 12}, {3, 11}}, green);
    c.polygon({{13, 4}, {14, 4}, {20, 11}, {7, 11}}, light);
    c.polygon({{14, 12}, {24, 12}, {14, 24}}, dark);
    c.line(3, 11, 24, 11, outline);
    c.pixel(10, 7, QColor(255, 255, 255));
}

} // namespace

const QVector<EntityKind>& entityKinds()
{
    static const QVector<EntityKind> kinds = {
        {"box", "push",
            "A box that the player pushes one cell at a time. It slides on ice, fills a pit and "
            "sinks into water.\tData: leave it empty for a plain box, or write heavy for a box "
            "that does not slide on ice.",
            drawBox},
        {"door", "locked",
            "A locked door. It opens for a player who carries the key with the same number.\t"
            "Data: the number of the key that opens it, for example 1.",
            drawDoor},
        {"key", "pickup",
            "A key that the player picks up by walking onto it.\tData: its number. It opens every "
            "door with the same number.",
            drawKey},
        {"switch", "toggle",
            "A lever that the player throws by walking onto it. It opens the gates it names that "
            "are closed and closes those that are open.\tData: the cells of those gates as x,y "
            "pairs, all separated by commas, for example 4,2 or 4,2,9,5.",
            drawSwitch},
        {"gate", "solid",
            "An iron gate that a switch opens and closes.\tData: open or closed, how the gate "
            "stands when the level starts. Empty means closed.",
            drawGate},
        {"teleport", "warp",
            "A portal that moves the player, or a box, to another cell.\tData: the target cell as "
            "x,y, for example 12,3. The target should be free floor.",
            drawTeleport},
        {"gem", "pickup",
            "A gem to collect. The exit opens when every gem of the level is taken.\tData: the "
            "points it is worth, for example 50. Empty counts as 10.",
            drawGem},
    };
    return kinds;
}

QString andFileName(const EntityKind& kind)
{
    return kind.name + QStringLiteral("_and.bmp");
}

QString orFileName(const EntityKind& kind)
{
    return kind.name + QStringLiteral("_or.bmp");
}

QImage drawFigure(const EntityKind& kind)
{
    QImage figure(kEntityArt, kEntityArt, QImage::Format_ARGB32);
    figure.fill(Qt::transparent);
    PixelCanvas canvas(figure);
    kind.draw(canvas);
    return figure;
}

QImage silhouettePicture(const QImage& figure)
{
    QImage picture(figure.size(), QImage::Format_RGB32);
    for (int y = 0; y < figure.height(); ++y) {
        for (int x = 0; x < figure.width(); ++x) {
            const bool inside = qAlpha(figure.pixel(x, y)) > 0;
            picture.setPixel(x, y, inside ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return picture;
}

QImage colourPicture(const QImage& figure)
{
    QImage picture(figure.size(), QImage::Format_RGB32);
    for (int y = 0; y < figure.height(); ++y) {
        for (int x = 0; x < figure.width(); ++x) {
            const QRgb pixel = figure.pixel(x, y);
            const bool inside = qAlpha(pixel) > 0;
            picture.setPixel(x, y, inside ? (pixel | 0xFF000000u) : qRgb(0, 0, 0));
        }
    }
    return picture;
}

QImage drawPlayer()
{
    const QColor ink(0, 0, 0);
    const QColor tunic(255, 0, 0);
    const QColor trousers(0, 0, 255);
    const QColor hair(96, 48, 0);
    // These bits keep most of a light tile's red and some of its green: skin-like.
    const QColor face(255, 224, 192);
    QImage image(kEntityArt, kEntityArt, QImage::Format_RGB32);
    PixelCanvas c(image);
    c.fill(Qt::white);
    // Head, facing right.
    c.ellipse(9, 1, 11, 11, face);
    c.ring(9, 1, 11, 11, ink);
    c.rect(10, 1, 9, 3, ink);
    c.rect(9, 3, 3, 4, ink);
    c.rect(11, 2, 7, 1, hair);
    c.pixel(16, 6, ink);
    c.pixel(16, 7, ink);
    c.pixel(19, 7, ink);
    c.line(14, 9, 16, 9, ink);
    // Tunic with arms.
    c.rect(8, 12, 12, 9, ink);
    c.rect(9, 13, 10, 7, tunic);
    c.rect(5, 13, 4, 3, ink);
    c.rect(4, 15, 3, 4, ink);
    c.rect(20, 13, 3, 3, ink);
    c.rect(21, 15, 3, 4, ink);
    c.rect(9, 17, 10, 1, ink);
    // Legs and boots.
    c.rect(9, 20, 10, 5, ink);
    c.rect(10, 21, 3, 3, trousers);
    c.rect(15, 21, 3, 3, trousers);
    c.rect(13, 21, 2, 4, QColor(Qt::white));
    c.rect(13, 20, 2, 1, ink);
    c.rect(9, 24, 5, 3, ink);
    c.rect(15, 24, 6, 3, ink);
    return image;
}
