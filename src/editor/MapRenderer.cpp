#include "editor/MapRenderer.h"

#include "editor/EditorPictures.h"
#include "editor/MapGeometry.h"
#include "model/Level.h"

#include <QPainter>

#include <algorithm>

namespace maprenderer {

namespace {

using mapgeometry::cellCornerPixels;
using mapgeometry::cellPitch;
using mapgeometry::cellTwips;

const QImage* pictureOf(const std::vector<QImage>& pictures, int kind)
{
    if (kind < 0 || static_cast<size_t>(kind) >= pictures.size())
        return nullptr;
    return &pictures[static_cast<size_t>(kind)];
}

// Puts pictures at cell corners and remembers which pixels it touched.
class CellPainter
{
public:
    CellPainter(QImage& image, const EditorPictures& pictures)
        : m_painter(&image)
        , m_pictures(pictures)
    {
    }

    QPainter& painter() { return m_painter; }
    QRect touched() const { return m_touched; }

    void tile(int kind, int x, int y) { put(pictureOf(m_pictures.tiles, kind), x, y, QPainter::CompositionMode_Source); }

    void entity(int kind, int x, int y)
    {
        const QImage* andPicture = pictureOf(m_pictures.entityAnd, kind);
        const QImage* orPicture = pictureOf(m_pictures.entityOr, kind);
        if (!andPicture || !orPicture)
            return;
        put(andPicture, x, y, QPainter::RasterOp_SourceAndDestination);
        put(orPicture, x, y, QPainter::RasterOp_SourceOrDestination);
    }

    void player(int x, int y) { put(&m_pictures.player, x, y, QPainter::RasterOp_SourceAndDestination); }

private:
    void put(const QImage* picture, int x, int y, QPainter::CompositionMode mode)
    {
        if (!picture || picture->isNull())
            return;
        const QPoint corner = cellCornerPixels(x, y);
        m_painter.setCompositionMode(mode);
        m_painter.drawImage(corner, *picture);
        m_touched |= QRect(corner, picture->size());
    }

    QPainter m_painter;
    const EditorPictures& m_pictures;
    QRect m_touched;
};

int gridWidth(const Level& level)
{
    return std::min<int>(level.levelWidth, level.levelTiles.width());
}

int gridHeight(const Level& level)
{
    return std::min<int>(level.levelHeight, level.levelTiles.height());
}

void drawEntitiesAt(CellPainter& cells, const Level& level, int layer, int x, int y)
{
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (e.layer == layer && e.x == x && e.y == y)
            cells.entity(e.kind, e.x, e.y);
    }
}

void drawEntitiesOn(CellPainter& cells, const Level& level, int layer)
{
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (e.layer == layer)
            cells.entity(e.kind, e.x, e.y);
    }
}

bool isCornerView(int view)
{
    return view > 0 && view < TileGrid::layerCount;
}

} // namespace

void drawTiles(QImage& image, const EditorPictures& pictures, const Level& level, int view)
{
    const int width = gridWidth(level);
    const int height = gridHeight(level);
    const QSize size = mapgeometry::innerPixels(level.levelWidth, level.levelHeight);
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    image.fill(backgroundColour);

    CellPainter cells(image, pictures);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            cells.tile(level.levelTiles(0, x, y), x, y);
    drawEntitiesOn(cells, level, 0);

    if (isCornerView(view)) {
        drawHatch(cells.painter(), mapgeometry::margin, mapgeometry::margin, cellPitch * level.levelWidth, cellPitch * level.levelHeight);
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y) {
                const qint16 kind = level.levelTiles(view, x, y);
                if (kind != -1)
                    cells.tile(kind, x, y);
            }
        drawEntitiesOn(cells, level, view);
    }

    cells.player(level.playerX, level.playerY);
}

QImage renderLevel(const EditorPictures& pictures, const Level& level, int view)
{
    QImage image;
    drawTiles(image, pictures, level, view);
    return image;
}

QRect drawCell(QImage& image, const EditorPictures& pictures, const Level& level, int view, int x, int y)
{
    if (x < 0 || y < 0 || x >= gridWidth(level) || y >= gridHeight(level))
        return {};

    CellPainter cells(image, pictures);
    cells.tile(level.levelTiles(0, x, y), x, y);
    drawEntitiesAt(cells, level, 0, x, y);

    QRect touched = cells.touched();
    if (isCornerView(view)) {
        drawHatch(cells.painter(), cellTwips(x), cellTwips(y), cellPitch, cellPitch);
        touched |= mapgeometry::cellPixels(x, y);
        const qint16 kind = level.levelTiles(view, x, y);
        if (kind != -1)
            cells.tile(kind, x, y);
        drawEntitiesAt(cells, level, view, x, y);
    }

    if (x == level.playerX && y == level.playerY)
        cells.player(x, y);
    return (touched | cells.touched()) & image.rect();
}

void drawHatch(QPainter& painter, int left, int top, int width, int height)
{
    const int s = hatchSpacing;
    const int right = left + width;
    const int bottom = top + height;
    const double px = mapgeometry::pixelTwips;
    auto line = [&painter, px](int x1, int y1, int x2, int y2) { painter.drawLine(QLineF(x1 / px, y1 / px, x2 / px, y2 / px)); };

    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(hatchColour), 0));
    // Whole pixels from the rectangle's first to just before its last edge.
    painter.setClipRect(QRectF(left / px, top / px, width / px, height / px), Qt::IntersectClip);

    for (int i = left; i <= right; i += s) {
        if (i + height <= right) {
            line(i, top, i + height, bottom);
            line(i, bottom, i + height, top);
        } else {
            line(i, top, right, top + right - i);
            line(i, bottom, right, bottom - (right - i));
        }
    }
    for (int k = 0; k <= height; k += s) {
        if (width + k <= height) {
            line(left, top + k, right, top + k + width);
            line(left, bottom - k, right, bottom - k - width);
        } else {
            line(left, top + k, left + height - k, bottom);
            line(left, bottom - k, left + height - k, top);
        }
    }
    painter.restore();
}

} // namespace maprenderer
