#include "common/TestLevels.h"
#include "editor/EditorPictures.h"
#include "editor/MapGeometry.h"
#include "editor/MapRenderer.h"
#include "model/Level.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

namespace {

// Random pictures up to `largest` pixels a side, stored in `format`.
EditorPictures randomPictures(QRandomGenerator& random, int largest, QImage::Format format)
{
    auto picture = [&] {
        QImage image(random.bounded(1, largest + 1), random.bounded(1, largest + 1), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, random.generate() | 0xFF000000);
        return image.convertToFormat(format);
    };
    EditorPictures p{picture(), {}, {}, {}};
    for (int kind = 0; kind < 5; ++kind)
        p.tiles.push_back(picture());
    for (int kind = 0; kind < 3; ++kind) {
        p.entityAnd.push_back(picture());
        p.entityOr.push_back(picture());
    }
    return p;
}

// A level of random size and content, with kinds that have no picture and
// entities and a player start on and around the grid, on every layer.
Level randomLevel(QRandomGenerator& random, int largest)
{
    auto within = [&](int low, int high) { return static_cast<qint16>(random.bounded(low, high + 1)); };
    const qint16 width = within(1, largest);
    const qint16 height = within(1, largest);
    Level level;
    levelops::replaceGrid(level, width, height);
    levelops::movePlayer(level, within(-2, width + 1), within(-2, height + 1));
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                level.levelTiles(layer, x, y) = layer > 0 && random.bounded(2) ? qint16(-1) : within(-1, 5);
    for (int n = random.bounded(3 * width * height); n > 0; --n)
        place(level, {within(0, 5), within(-2, width + 1), within(-2, height + 1), within(-1, 3)});
    return level;
}

// The map drawn the plain way: every layer over the whole map in turn, the
// pictures combined by QPainter's own raster operations.
QImage layerByLayer(const EditorPictures& given, const Level& level, int view)
{
    EditorPictures p = given;
    for (std::vector<QImage>* pictures : {&p.tiles, &p.entityAnd, &p.entityOr})
        for (QImage& picture : *pictures)
            picture.convertTo(QImage::Format_RGB32);
    p.player.convertTo(QImage::Format_RGB32);

    QImage image(mapgeometry::innerPixels(level.levelWidth, level.levelHeight), QImage::Format_RGB32);
    image.fill(maprenderer::backgroundColour);
    auto put = [&](const std::vector<QImage>& pictures, int kind, int x, int y, QPainter::CompositionMode mode) {
        if (kind < 0 || kind >= int(pictures.size()))
            return;
        QPainter painter(&image);
        painter.setCompositionMode(mode);
        painter.drawImage(mapgeometry::cellCornerPixels(x, y), pictures[size_t(kind)]);
    };
    auto drawLayer = [&](int layer) {
        for (int x = 0; x < level.levelWidth; ++x) // column by column, as the map always has
            for (int y = 0; y < level.levelHeight; ++y)
                put(p.tiles, level.levelTiles(layer, x, y), x, y, QPainter::CompositionMode_Source);
        for (const Entity& e : level.entities)
            if (e.layer == layer && e.kind >= 0 && e.kind < int(p.entityAnd.size())) {
                put(p.entityAnd, e.kind, e.x, e.y, QPainter::RasterOp_SourceAndDestination);
                put(p.entityOr, e.kind, e.x, e.y, QPainter::RasterOp_SourceOrDestination);
            }
    };
    drawLayer(0);
    if (view > 0) {
        maprenderer::drawHatch(image, 120, 120, 465 * level.levelWidth, 465 * level.levelHeight);
        drawLayer(view);
    }
    put({p.player}, 0, level.playerX, level.playerY, QPainter::RasterOp_SourceAndDestination);
    return image;
}

} // namespace

class tst_mapdrawing : public QObject
{
    Q_OBJECT
private slots:
    // The renderer draws a cell's layers in one pass where it can, and the
    // whole map layer by layer where a picture reaches beyond its cell; both
    // must give exactly the plain drawing, whole or a strip of rows at a time.
    void sameAsLayerByLayer_data()
    {
        QTest::addColumn<int>("largestPicture");
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<int>("largestLevel");
        QTest::newRow("pictures within a cell") << 31 << QImage::Format_RGB32 << 9;
        QTest::newRow("pictures beyond their cell") << 50 << QImage::Format_RGB32 << 6;
        QTest::newRow("pictures to be converted") << 31 << QImage::Format_RGB888 << 6;
        QTest::newRow("largest levels") << 31 << QImage::Format_RGB32 << 70;
    }

    void sameAsLayerByLayer()
    {
        QFETCH(int, largestPicture);
        QFETCH(QImage::Format, format);
        QFETCH(int, largestLevel);
        QRandomGenerator random(13); // a fixed start, so a failure can be repeated
        for (int round = 0; round < 12; ++round) {
            const EditorPictures pictures = randomPictures(random, largestPicture, format);
            const Level level = randomLevel(random, largestLevel);
            for (int view = 0; view <= 4; ++view) {
                const QImage expected = layerByLayer(pictures, level, view);
                QImage drawn(expected.size(), QImage::Format_RGB32);
                drawn.fill(qRgb(1, 2, 3)); // whatever the map showed before
                maprenderer::drawTiles(drawn, pictures, level, view);
                QVERIFY2(drawn == expected, "view " + QByteArray::number(view));

                maprenderer::MapDrawing drawing(pictures, level, view);
                QImage strip(expected.width(), 13, QImage::Format_RGB32);
                for (int top = 0; top < expected.height(); top += strip.height()) {
                    drawing.draw(strip, top);
                    const int rows = std::min(strip.height(), expected.height() - top);
                    QVERIFY2(strip.copy(0, 0, strip.width(), rows) == expected.copy(0, top, strip.width(), rows),
                        "strip from row " + QByteArray::number(top));
                }
            }
        }
    }
};

QTEST_MAIN(tst_mapdrawing)
#include "tst_mapdrawing.moc"
