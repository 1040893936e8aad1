#include "common/TestLevels.h"
#include "editor/EditorPictures.h"
#include "editor/MapGeometry.h"
#include "editor/MapRenderer.h"
#include "model/Catalogue.h"
#include "model/Level.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage solid(QRgb colour, int size = 28)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

int hatchPixelsIn(const QImage& image, const QRect& r)
{
    int count = 0;
    for (int i = 0; i < r.width() * r.height(); ++i)
        count += image.pixel(r.x() + i % r.width(), r.y() + i / r.width()) == maprenderer::hatchColour;
    return count;
}

// A 64-pixel-high sheet whose every pixel tells where it lies, as PNG (the reader goes by content; Qt writes no GIF).
QByteArray coordinateSheet(int width)
{
    QImage sheet(width, 64, QImage::Format_RGB32);
    for (int i = 0; i < width * 64; ++i)
        sheet.setPixel(i % width, i / width, qRgb(i % width, i / width, 7));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    sheet.save(&buffer, "PNG");
    return bytes;
}

// Loads a game of 30 tile kinds and one entity kind, its tile sheet `sheet`.
QString loadGame(EditorPictures& pictures, const QByteArray& sheet)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char* name : {"player.bmp", "box_and.bmp", "box_or.bmp"})
        solid(0xFF808080).save(folder.filePath(name), "BMP");
    QFile tiles(folder.filePath("tiles.gif"));
    if (!tiles.open(QIODevice::WriteOnly) || tiles.write(sheet) != sheet.size())
        return "tiles.gif cannot be written";
    tiles.close();
    return loadEditorPictures(dir.path(),
        Catalogue{decltype(Catalogue::tileDefs)(30), {{"box", "box_and.bmp", "box_or.bmp", "", ""}}}, pictures)
        .message();
}

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
    void cutsTheTopLeftOfEachBlock_data()
    {
        QTest::addColumn<int>("sheetWidth");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<uint>("colour"); // the sheet's pixel (x, y) is (x, y, 7)
        const uint white = qRgb(255, 255, 255);
        QTest::newRow("10 per row: kind 12 at (64, 32)") << 320 << 12 << QPoint(27, 27) << qRgb(91, 59, 7);
        QTest::newRow("below the sheet") << 320 << 25 << QPoint(0, 0) << white;
        QTest::newRow("48: 1.5 rounds to even 2") << 48 << 3 << QPoint(0, 0) << qRgb(32, 32, 7);
        QTest::newRow("80: 2.5 rounds to even 2") << 80 << 3 << QPoint(0, 0) << qRgb(32, 32, 7);
        QTest::newRow("block cut by the sheet's edge") << 48 << 1 << QPoint(15, 3) << qRgb(47, 3, 7);
        QTest::newRow("white beyond the edge") << 48 << 1 << QPoint(16, 3) << white;
    }

    void cutsTheTopLeftOfEachBlock()
    {
        QFETCH(int, sheetWidth);
        QFETCH(int, kind);
        EditorPictures pictures;
        QCOMPARE(loadGame(pictures, coordinateSheet(sheetWidth)), QString());
        const QImage& tile = pictures.tiles.at(static_cast<size_t>(kind));
        QCOMPARE(tile.size(), QSize(28, 28));
        QFETCH(QPoint, probe);
        QTEST(tile.pixel(probe), "colour");
    }

    void badSheetsAreNamed_data()
    {
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QString>("message");
        QTest::newRow("broken") << QByteArray("GIF89a garbage") << "The picture file \"tiles.gif\" cannot be read: ";
        QTest::newRow("16 pixels wide") << coordinateSheet(
            16) << "The tile sheet \"tiles.gif\" is 16 pixels wide; it must be wider than 16 pixels.";
    }

    void badSheetsAreNamed()
    {
        QFETCH(QByteArray, sheet);
        QFETCH(QString, message);
        EditorPictures pictures;
        const QString error = loadGame(pictures, sheet);
        QVERIFY2(error.startsWith(message), qPrintable(error));
        QVERIFY(pictures.tiles.empty());
    }

    // What the plain drawing below takes from the renderer itself: the map's
    // size, and a hatch over the grid on the corner views. (Which cells show
    // it, the plain drawing decides.)
    void sizeAndHatch_data()
    {
        QTest::addColumn<int>("view");
        for (int view = 0; view <= 4; ++view)
            QTest::addRow("view %d", view) << view;
    }

    void sizeAndHatch()
    {
        QFETCH(int, view);
        Level level;
        levelops::replaceGrid(level, 4, 3);
        const EditorPictures pictures{solid(0xFFFFFFFF), {solid(0xFF806040), solid(0xFF204080)}, {}, {}};
        QImage image = maprenderer::renderLevel(pictures, level, view);
        QCOMPARE(image.size(), QSize(140, 109)); // 465 * cells + 240 twips
        const int hatch = hatchPixelsIn(image, image.rect());
        QCOMPARE(hatch > 0, view > 0);
        QCOMPARE(hatchPixelsIn(image, QRect(8, 8, 4 * 31, 3 * 31)), hatch); // over the grid only
        // A cell outside the grid (an old player start) has nothing to redraw.
        QCOMPARE(maprenderer::drawCell(image, pictures, level, view, 4, 0), QRect());
    }

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
