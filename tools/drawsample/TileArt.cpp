#include "TileArt.h"

#include "PixelCanvas.h"

#include <QTransform>

namespace {

const QColor kFloor(184, 172, 150);
const QColor kFloorLight(206, 196, 176);
const QColor kFloorDark(146, 134, 112);
const QColor kFloorSpeck(166, 154, 132);
const QColor kSheetGap(64, 64, 64);

// A flagstone with a light top-left edge and a shaded bottom-right edge.
void slab(PixelCanvas& c)
{
    c.fill(kFloor);
    c.rect(0, 0, kTileArt, 1, kFloorLight);
    c.rect(0, 0, 1, kTileArt, kFloorLight);
    c.rect(0, kTileArt - 1, kTileArt, 1, kFloorDark);
    c.rect(kTileArt - 1, 0, 1, kTileArt, kFloorDark);
    c.speckle(2, 2, 24, 24, 14, 7, kFloorSpeck);
    c.speckle(2, 2, 24, 24, 6, 11, kFloorLight);
}

void drawFloor(PixelCanvas& c)
{
    slab(c);
}

void drawWall(PixelCanvas& c)
{
    const QColor mortar(92, 84, 78);
    const QColor brick(156, 72, 50);
    const QColor brickLight(188, 104, 74);
    const QColor brickDark(118, 50, 34);
    c.fill(mortar);
    for (int row = 0; row < 4; ++row) {
        const int y = row * 7;
        const int offset = (row % 2 == 0) ? 0 : -7;
        for (int x = offset; x < kTileArt; x += 14) {
            const int left = qMax(x, 0);
            const int right = qMin(x + 13, kTileArt);
            if (right <= left)
                continue;
            c.rect(left, y, right - left, 6, brick);
            c.rect(left, y, right - left, 1, brickLight);
            c.rect(left, y + 5, right - left, 1, brickDark);
        }
    }
    c.speckle(0, 0, 28, 28, 5, 3, brickDark);
}

void drawIce(PixelCanvas& c)
{
    const QColor ice(188, 226, 242);
    const QColor edge(138, 194, 222);
    const QColor shine(248, 253, 255);
    const QColor frost(166, 212, 234);
    c.fill(ice);
    c.frame(0, 0, kTileArt, kTileArt, edge);
    c.speckle(2, 2, 24, 24, 10, 5, frost);
    c.line(4, 15, 15, 4, shine);
    c.line(5, 15, 15, 5, shine);
    c.line(9, 23, 23, 9, shine);
    c.line(17, 23, 23, 17, shine);
}

void drawWater(PixelCanvas& c)
{
    const QColor water(38, 98, 178);
    const QColor wave(104, 162, 226);
    const QColor deep(28, 74, 146);
    c.fill(water);
    c.speckle(0, 0, 28, 28, 14, 9, deep);
    for (int row = 0; row < 4; ++row) {
        const int y = 3 + row * 7;
        const int shift = (row % 2 == 0) ? 1 : 8;
        for (int x = shift; x < kTileArt; x += 14) {
            c.pixel(x, y + 1, wave);
            c.rect(x + 1, y, 2, 1, wave);
            c.pixel(x + 3, y + 1, wave);
            c.rect(x + 4, y + 2, 2, 1, wave);
            c.pixel(x + 6, y + 1, wave);
        }
    }
}

void drawPit(PixelCanvas& c)
{
    slab(c);
    c.rect(3, 3, 22, 22, QColor(74, 64, 54));
    c.rect(4, 4, 20, 20, QColor(48, 40, 34));
    c.rect(6, 6, 16, 16, QColor(28, 22, 18));
    c.rect(8, 9, 12, 11, QColor(10, 8, 6));
    c.rect(3, 3, 22, 1, kFloorDark);
    c.rect(3, 3, 1, 22, kFloorDark);
}

void drawGoal(PixelCanvas& c)
{
    const QColor gold(226, 182, 38);
    const QColor goldDark(150, 110, 20);
    slab(c);
    c.frame(4, 4, 20, 20, goldDark);
    c.frame(5, 5, 18, 18, gold);
    c.frame(6, 6, 16, 16, gold);
    c.frame(7, 7, 14, 14, goldDark);
    c.rect(11, 11, 6, 6, gold);
    c.frame(11, 11, 6, 6, goldDark);
}

void drawCracked(PixelCanvas& c)
{
    const QColor crack(86, 76, 62);
    slab(c);
    c.line(3, 6, 9, 11, crack);
    c.line(9, 11, 13, 10, crack);
    c.line(13, 10, 18, 16, crack);
    c.line(18, 16, 24, 17, crack);
    c.line(13, 10, 15, 3, crack);
    c.line(18, 16, 16, 23, crack);
    c.line(16, 23, 12, 25, crack);
    c.line(9, 11, 7, 18, crack);
    c.line(10, 12, 14, 11, kFloorLight);
    c.line(19, 17, 24, 18, kFloorLight);
}

void drawBridge(PixelCanvas& c)
{
    drawWater(c);
    const QColor plank(168, 116, 62);
    const QColor plankLight(196, 146, 88);
    const QColor gap(96, 62, 30);
    const QColor rail(112, 74, 38);
    c.rect(0, 4, kTileArt, 20, gap);
    for (int x = 0; x < kTileArt; x += 7) {
        c.rect(x, 4, 6, 20, plank);
        c.rect(x, 4, 1, 20, plankLight);
        c.pixel(x + 3, 6, gap);
        c.pixel(x + 3, 21, gap);
    }
    c.rect(0, 3, kTileArt, 2, rail);
    c.rect(0, 23, kTileArt, 2, rail);
}

void drawSand(PixelCanvas& c)
{
    const QColor sand(224, 198, 134);
    c.fill(sand);
    c.speckle(0, 0, 28, 28, 40, 21, QColor(198, 170, 106));
    c.speckle(0, 0, 28, 28, 22, 23, QColor(242, 222, 166));
    c.rect(0, kTileArt - 1, kTileArt, 1, QColor(198, 170, 106));
    c.rect(kTileArt - 1, 0, 1, kTileArt, QColor(198, 170, 106));
}

void drawExit(PixelCanvas& c)
{
    slab(c);
    const QColor green(52, 150, 72);
    c.rect(3, 3, 22, 22, green);
    c.rect(5, 5, 18, 18, QColor(24, 20, 16));
    const QColor steps[] = {QColor(196, 186, 164), QColor(150, 140, 120), QColor(106, 98, 84), QColor(66, 60, 52)};
    for (int i = 0; i < 4; ++i)
        c.rect(5, 5 + i * 4, 18, 3, steps[i]);
    c.rect(3, 3, 22, 1, QColor(92, 196, 112));
}

// The arrow of a one-way plate, pointing up: a bit mask turned as needed,
// so that all four directions are the same shape.
QImage arrowMask(int degrees)
{
    QImage mask(kTileArt, kTileArt, QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (int y = 4; y < 14; ++y) {
        const int half = y - 3;
        for (int x = 14 - half; x < 14 + half; ++x)
            mask.setPixel(x, y, qRgb(255, 255, 255));
    }
    for (int y = 14; y < 24; ++y) {
        for (int x = 10; x < 18; ++x)
            mask.setPixel(x, y, qRgb(255, 255, 255));
    }
    return mask.transformed(QTransform().rotate(degrees));
}

bool inMask(const QImage& mask, int x, int y)
{
    return mask.valid(x, y) && qRed(mask.pixel(x, y)) != 0;
}

void drawOneWay(PixelCanvas& c, int degrees)
{
    const QColor plate(118, 124, 134);
    const QColor plateDark(84, 88, 98);
    const QColor plateLight(156, 162, 172);
    const QColor arrow(240, 196, 36);
    const QColor arrowDark(110, 80, 10);
    c.fill(plate);
    c.frame(0, 0, kTileArt, kTileArt, plateDark);
    c.rect(1, 1, kTileArt - 2, 1, plateLight);
    c.rect(1, 1, 1, kTileArt - 2, plateLight);
    for (const QPoint& p : {QPoint(3, 3), QPoint(24, 3), QPoint(3, 24), QPoint(24, 24)})
        c.pixel(p.x(), p.y(), plateDark);
    const QImage mask = arrowMask(degrees);
    for (int y = 0; y < kTileArt; ++y) {
        for (int x = 0; x < kTileArt; ++x) {
            if (!inMask(mask, x, y))
                continue;
            const bool edge = !inMask(mask, x - 1, y) || !inMask(mask, x + 1, y) || !inMask(mask, x, y - 1) || !inMask(mask, x, y + 1);
            c.pixel(x, y, edge ? arrowDark : arrow);
        }
    }
}

void drawArrowUp(PixelCanvas& c)
{
    drawOneWay(c, 0);
}
void drawArrowRight(PixelCanvas& c)
{
    drawOneWay(c, 90);
}
void drawArrowDown(PixelCanvas& c)
{
    drawOneWay(c, 180);
}
void drawArrowLeft(PixelCanvas& c)
{
    drawOneWay(c, 270);
}

} // namespace

const QVector<TileKind>& tileKinds()
{
    static const QVector<TileKind> kinds = {
        {"floor", "walk", "Floor: plain ground that the player and boxes move over", drawFloor},
        {"wall", "solid", "Wall: nothing passes through it", drawWall},
        {"ice", "slide", "Ice: the player and boxes slide over it until something stops them", drawIce},
        {"water", "sink", "Water: the player cannot enter it; a box pushed in sinks and becomes a bridge", drawWater},
        {"pit", "fall", "Pit: the player must not step in; a box pushed in fills it", drawPit},
        {"goal", "walk", "Goal: a box must stand on every goal to open the exit", drawGoal},
        {"cracked", "crumble", "Cracked floor: breaks into a pit once the player has left it", drawCracked},
        {"bridge", "walk", "Bridge: walkable floor over water", drawBridge},
        {"sand", "stop", "Sand: stops anything sliding off the ice", drawSand},
        {"exit", "exit", "Exit: the player leaves the level here", drawExit},
        {"arrowup", "oneway", "One-way plate: can only be crossed going up", drawArrowUp},
        {"arrowright", "oneway", "One-way plate: can only be crossed going right", drawArrowRight},
        {"arrowdown", "oneway", "One-way plate: can only be crossed going down", drawArrowDown},
        {"arrowleft", "oneway", "One-way plate: can only be crossed going left", drawArrowLeft},
    };
    return kinds;
}

QImage drawTile(const TileKind& kind)
{
    QImage image(kTileArt, kTileArt, QImage::Format_RGB32);
    PixelCanvas canvas(image);
    kind.draw(canvas);
    return image;
}

QImage drawTileSheet()
{
    const QVector<TileKind>& kinds = tileKinds();
    const int rows = static_cast<int>((kinds.size() + kTilesPerRow - 1) / kTilesPerRow);
    QImage sheet(kTilesPerRow * kTileCell, rows * kTileCell, QImage::Format_RGB32);
    sheet.fill(kSheetGap);
    QPainter painter(&sheet);
    for (int i = 0; i < kinds.size(); ++i) {
        const int x = (i % kTilesPerRow) * kTileCell;
        const int y = (i / kTilesPerRow) * kTileCell;
        painter.drawImage(x, y, drawTile(kinds[i]));
    }
    return sheet;
}
