#include "editor/MapRenderer.h"

#include "editor/CellComposer.h"
#include "editor/EditorPictures.h"
#include "editor/MapGeometry.h"
#include "model/Level.h"

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

// How a picture is combined with the map: tiles are copied, entities and the
// player start are combined bitwise, with the same result as QPainter's
// RasterOp_SourceAndDestination and RasterOp_SourceOrDestination on 32-bit
// RGB. The painter's raster ops go through its general per-span path, which
// made a full 70 x 70 map with entities everywhere take longer than a frame;
// plain loops over scan lines do the same work several times faster.
enum class Combine { Copy, And, Or };

void combine(QImage& map, const QRect& clip, QPoint at, const QImage& given, Combine op)
{
    QImage converted;
    const QImage* picture = &given;
    if (given.format() != QImage::Format_RGB32) {
        converted = given.convertToFormat(QImage::Format_RGB32);
        picture = &converted;
    }
    const QRect target = QRect(at, picture->size()) & clip;
    if (target.isEmpty())
        return;
    const int width = target.width();
    const qsizetype mapStep = map.bytesPerLine();
    const qsizetype pictureStep = picture->bytesPerLine();
    uchar* mapRow = map.bits() + target.top() * mapStep;
    const uchar* pictureRow = picture->constBits() + (target.top() - at.y()) * pictureStep;
    for (int row = 0; row < target.height(); ++row, mapRow += mapStep, pictureRow += pictureStep) {
        QRgb* d = reinterpret_cast<QRgb*>(mapRow) + target.left();
        const QRgb* s = reinterpret_cast<const QRgb*>(pictureRow) + (target.left() - at.x());
        switch (op) {
        case Combine::Copy:
            std::copy(s, s + width, d);
            break;
        case Combine::And:
            for (int i = 0; i < width; ++i)
                d[i] &= s[i];
            break;
        case Combine::Or:
            for (int i = 0; i < width; ++i)
                d[i] |= s[i];
            break;
        }
    }
}

// Puts pictures at cell corners and remembers which pixels it touched.
class CellPainter
{
public:
    // Row 0 of `image` is the map's row `top`; `clip` is in the image's own pixels.
    CellPainter(QImage& image, const EditorPictures& pictures, const QRect& clip, int top = 0)
        : m_image(image)
        , m_pictures(pictures)
        , m_clip(clip & image.rect())
        , m_top(top)
    {
    }

    QRect touched() const { return m_touched; }

    void tile(int kind, int x, int y)
    {
        if (const QImage* picture = pictureOf(m_pictures.tiles, kind))
            put(*picture, x, y, Combine::Copy);
    }

    void entity(int kind, int x, int y)
    {
        const QImage* andPicture = pictureOf(m_pictures.entityAnd, kind);
        const QImage* orPicture = pictureOf(m_pictures.entityOr, kind);
        if (!andPicture || !orPicture)
            return;
        put(*andPicture, x, y, Combine::And);
        put(*orPicture, x, y, Combine::Or);
    }

    void player(int x, int y) { put(m_pictures.player, x, y, Combine::And); }

private:
    void put(const QImage& picture, int x, int y, Combine op)
    {
        const QPoint corner = cellCornerPixels(x, y) - QPoint(0, m_top);
        combine(m_image, m_clip, corner, picture, op);
        m_touched |= QRect(corner, picture.size());
    }

    QImage& m_image;
    const EditorPictures& m_pictures;
    QRect m_clip;
    int m_top;
    QRect m_touched;
};

constexpr int pixelHalfTwips = 2 * mapgeometry::pixelTwips;

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The first pixel whose centre lies at or after a position in half twips.
int firstPixelFrom(int halfTwips)
{
    return -floorDiv(pixelHalfTwips / 2 - halfTwips, pixelHalfTwips);
}

// Sets the pixels of a 45-degree line between two points given in twips:
// in each pixel row whose centre the line spans, the pixel in which the line
// then lies, if that pixel's centre is inside the clip rectangle. A pixel
// depends only on the line, never on where the segment starts, so a cell's
// hatch falls on exactly the pixels of the grid's. Computed in half twips so
// that every step is a whole number. Rows are the map's; `bits` holds the
// map's rows from `top` on.
void hatchLine(uchar* bits, qsizetype bytesPerLine, int top, const QRect& clip, int x1, int y1, int x2, int y2)
{
    const int slope = (x2 - x1) * (y2 - y1) >= 0 ? 1 : -1;
    const int yLow = 2 * std::min(y1, y2);
    const int yHigh = 2 * std::max(y1, y2);
    const int firstRow = std::max(clip.top(), firstPixelFrom(yLow));
    const int firstCentre = firstRow * pixelHalfTwips + pixelHalfTwips / 2;
    // At 45 degrees the line moves one whole pixel sideways per row.
    int column = floorDiv(2 * x1 + slope * (firstCentre - 2 * y1), pixelHalfTwips);
    const int lastRow = std::min(clip.bottom(), floorDiv(yHigh - pixelHalfTwips / 2, pixelHalfTwips));
    for (int row = firstRow; row <= lastRow; ++row, column += slope)
        if (column >= clip.left() && column <= clip.right())
            reinterpret_cast<QRgb*>(bits + (row - top) * bytesPerLine)[column] = hatchColour;
}

// The hatch over a rectangle in twips, drawn only within `limit` (the map's
// pixels). Row 0 of `image` is the map's row `origin`.
void hatch(QImage& image, int origin, const QRect& limit, int left, int top, int width, int height)
{
    const int s = hatchSpacing;
    const int right = left + width;
    const int bottom = top + height;
    // The pixels whose centres lie inside the rectangle, and on the image.
    const QRect clip = QRect(QPoint(firstPixelFrom(2 * left), firstPixelFrom(2 * top)),
                           QPoint(firstPixelFrom(2 * right) - 1, firstPixelFrom(2 * bottom) - 1))
        & limit;
    if (clip.isEmpty())
        return;
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    auto line = [=](int x1, int y1, int x2, int y2) { hatchLine(bits, bytesPerLine, origin, clip, x1, y1, x2, y2); };

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
}

// The entities of a layer that stand in cell rows `rows.first` to `rows.second`.
void drawEntitiesOn(CellPainter& cells, const Level& level, int layer, std::pair<int, int> rows)
{
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (e.layer == layer && e.y >= rows.first && e.y <= rows.second)
            cells.entity(e.kind, e.x, e.y);
    }
}

int tallest(const std::vector<QImage>& pictures, int atLeast)
{
    for (const QImage& picture : pictures)
        atLeast = std::max(atLeast, picture.height());
    return atLeast;
}

bool isCornerView(int view)
{
    return view > 0 && view < TileGrid::layerCount;
}

// Entities of the main level show in every view, those of a corner screen in its own.
bool isShownLayer(int layer, int view)
{
    return layer == 0 || (layer == view && isCornerView(view));
}

// Draws cell (x, y) as the whole map shows it, over what the image showed
// there; `standing` are the entities of the shown layers that stand in it, in
// slot order. Returns the pixels it changed.
QRect drawOneCell(
    QImage& image, const EditorPictures& pictures, const Level& level, int view, int x, int y, const std::vector<int>& standing)
{
    auto drawEntities = [&](CellPainter& cells, int layer) {
        for (const int slot : standing) {
            const Entity& e = level.entities[static_cast<size_t>(slot)];
            if (e.layer == layer)
                cells.entity(e.kind, e.x, e.y);
        }
    };
    CellPainter cells(image, pictures, image.rect());
    cells.tile(level.levelTiles(0, x, y), x, y);
    drawEntities(cells, 0);

    QRect touched = cells.touched();
    if (isCornerView(view)) {
        hatch(image, 0, image.rect(), cellTwips(x), cellTwips(y), cellPitch, cellPitch);
        touched |= mapgeometry::cellPixels(x, y);
        const qint16 kind = level.levelTiles(view, x, y);
        if (kind != -1)
            cells.tile(kind, x, y);
        drawEntities(cells, view);
    }

    if (x == level.playerX && y == level.playerY)
        cells.player(x, y);
    return (touched | cells.touched()) & image.rect();
}

// Draws the part of the whole map that lies in `band` (the map's pixels) into
// `image`, whose row 0 is the map's row `origin`; no picture is taller than
// `reach` pixels.
void drawBand(QImage& image, int origin, const QRect& band, int reach, const EditorPictures& pictures, const Level& level, int view)
{
    for (int row = band.top(); row <= band.bottom(); ++row)
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(row - origin)), image.width(), backgroundColour);

    // The cell rows whose pictures can reach into the band.
    const int pitch = cellPitch / mapgeometry::pixelTwips;
    const int corner0 = mapgeometry::margin / mapgeometry::pixelTwips;
    const std::pair<int, int> rows(floorDiv(band.top() - reach - corner0, pitch) + 1, floorDiv(band.bottom() - corner0, pitch));
    const int firstRow = std::max(rows.first, 0);
    const int lastRow = std::min(rows.second, level.levelHeight - 1);
    const int width = level.levelWidth;

    CellPainter cells(image, pictures, band.translated(0, -origin), origin);
    for (int x = 0; x < width; ++x)
        for (int y = firstRow; y <= lastRow; ++y)
            cells.tile(level.levelTiles(0, x, y), x, y);
    drawEntitiesOn(cells, level, 0, rows);

    if (isCornerView(view)) {
        hatch(image, origin, band, mapgeometry::margin, mapgeometry::margin, cellPitch * level.levelWidth, cellPitch * level.levelHeight);
        for (int x = 0; x < width; ++x)
            for (int y = firstRow; y <= lastRow; ++y) {
                const qint16 kind = level.levelTiles(view, x, y);
                if (kind != -1)
                    cells.tile(kind, x, y);
            }
        drawEntitiesOn(cells, level, view, rows);
    }

    cells.player(level.playerX, level.playerY);
}

} // namespace

MapDrawing::MapDrawing(const EditorPictures& pictures, const Level& level, int view)
    : m_pictures(pictures)
    , m_level(level)
    , m_view(view)
    , m_size(mapgeometry::innerPixels(level.levelWidth, level.levelHeight))
{
    if (!CellComposer::fits(pictures))
        return;
    m_cells = std::make_unique<CellComposer>(pictures, level, view);
    auto addOffGrid = [&](int layer) {
        for (int slot = 0; slot < level.entityCount; ++slot) {
            const Entity& e = level.entities[static_cast<size_t>(slot)];
            if (e.layer == layer && !level.levelTiles.contains(e.x, e.y))
                m_offGrid.push_back(slot);
        }
    };
    addOffGrid(0);
    if (isCornerView(view))
        addOffGrid(view);
}

MapDrawing::~MapDrawing() = default;

void MapDrawing::draw(QImage& rows, int top)
{
    if (!m_cells) {
        drawInBands(rows, top);
        return;
    }
    drawMargins(rows, top);
    m_cells->draw(rows, top);
    drawOffGrid(rows, top);
}

// The background around the grid, in the rows from `top` on.
void MapDrawing::drawMargins(QImage& rows, int top) const
{
    const QPoint gridStart = mapgeometry::cellCornerPixels(0, 0);
    const QPoint gridEnd = mapgeometry::cellCornerPixels(m_level.levelWidth, m_level.levelHeight);
    const int end = std::min(top + rows.height(), m_size.height());
    for (int row = top; row < end; ++row) {
        QRgb* line = reinterpret_cast<QRgb*>(rows.scanLine(row - top));
        if (row < gridStart.y() || row >= gridEnd.y()) {
            std::fill_n(line, rows.width(), backgroundColour);
        } else {
            std::fill(line, line + gridStart.x(), backgroundColour);
            std::fill(line + gridEnd.x(), line + rows.width(), backgroundColour);
        }
    }
}

// What stands outside the grid reaches at most into the margins, where
// nothing else is drawn; each thing keeps its place in the drawing order.
void MapDrawing::drawOffGrid(QImage& rows, int top) const
{
    CellPainter cells(rows, m_pictures, rows.rect(), top);
    for (const int slot : m_offGrid) {
        const Entity& e = m_level.entities[static_cast<size_t>(slot)];
        cells.entity(e.kind, e.x, e.y);
    }
    if (!m_level.levelTiles.contains(m_level.playerX, m_level.playerY))
        cells.player(m_level.playerX, m_level.playerY);
}

// Every layer over the whole map in turn, in bands of a few cell rows, each
// clipped to its own pixel rows. A band stays in the processor's cache while
// all layers are applied to it.
void MapDrawing::drawInBands(QImage& rows, int top) const
{
    const int bandHeight = 4 * cellPitch / mapgeometry::pixelTwips;
    const EditorPictures& p = m_pictures;
    const int reach = tallest(p.tiles, tallest(p.entityAnd, tallest(p.entityOr, p.player.height())));
    const int end = std::min(top + rows.height(), m_size.height());
    for (int bandTop = top; bandTop < end; bandTop += bandHeight) {
        const QRect band(0, bandTop, rows.width(), std::min(bandHeight, end - bandTop));
        drawBand(rows, top, band, reach, p, m_level, m_view);
    }
}

void drawTiles(QImage& image, const EditorPictures& pictures, const Level& level, int view)
{
    Q_ASSERT(level.isConsistent());
    MapDrawing drawing(pictures, level, view);
    if (image.size() != drawing.size() || image.format() != QImage::Format_RGB32)
        image = QImage(drawing.size(), QImage::Format_RGB32);
    drawing.draw(image, 0);
}

QImage renderLevel(const EditorPictures& pictures, const Level& level, int view)
{
    QImage image;
    drawTiles(image, pictures, level, view);
    return image;
}

QRect drawCell(QImage& image, const EditorPictures& pictures, const Level& level, int view, int x, int y)
{
    if (!level.levelTiles.contains(x, y))
        return {};
    std::vector<int> standing;
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (e.x == x && e.y == y && isShownLayer(e.layer, view))
            standing.push_back(slot);
    }
    return drawOneCell(image, pictures, level, view, x, y, standing);
}

QRect drawCells(QImage& image, const EditorPictures& pictures, const Level& level, int view, const std::vector<QPoint>& cells)
{
    // Which listed cell each entity stands in, found in one pass over the
    // entities instead of one pass per cell.
    const int width = level.levelWidth;
    std::vector<int> listed(static_cast<size_t>(width) * static_cast<size_t>(level.levelHeight), -1);
    auto at = [width](int x, int y) { return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x); };
    std::vector<std::vector<int>> standing(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        const QPoint& cell = cells[i];
        if (level.levelTiles.contains(cell.x(), cell.y()) && listed[at(cell.x(), cell.y())] < 0)
            listed[at(cell.x(), cell.y())] = static_cast<int>(i);
    }
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[static_cast<size_t>(slot)];
        if (level.levelTiles.contains(e.x, e.y) && isShownLayer(e.layer, view))
            if (const int i = listed[at(e.x, e.y)]; i >= 0)
                standing[static_cast<size_t>(i)].push_back(slot);
    }
    QRect touched;
    for (size_t i = 0; i < cells.size(); ++i) {
        const QPoint& cell = cells[i];
        if (level.levelTiles.contains(cell.x(), cell.y()) && listed[at(cell.x(), cell.y())] == static_cast<int>(i))
            touched |= drawOneCell(image, pictures, level, view, cell.x(), cell.y(), standing[i]);
    }
    return touched;
}

void drawHatch(QImage& image, int left, int top, int width, int height)
{
    hatch(image, 0, image.rect(), left, top, width, height);
}

} // namespace maprenderer
