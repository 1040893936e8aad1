#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "model/Catalogue.h"
#include "model/Level.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage solid(QRgb colour, int size = 28)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Known colours, so every combination can be worked out by hand.
constexpr QRgb floorColour = 0xFF806040;
constexpr QRgb wallColour = 0xFF204080;
constexpr QRgb floorAndEntity0 = 0xFF800F40; // AND FF00FF, OR 000F00

// Entity 0 keeps red and blue, then adds 0x0F to green; entity 1 keeps green
// only, then adds 0x01 to red. The player keeps blue only, in its top-left 10 pixels.
EditorPictures testPictures()
{
    EditorPictures p{solid(0xFFFFFFFF), {solid(floorColour), solid(wallColour)}, {solid(0xFFFF00FF), solid(0xFF00FF00)},
        {solid(0xFF000F00), solid(0xFF010000)}};
    QPainter(&p.player).fillRect(0, 0, 10, 10, QColor(0, 0, 255));
    return p;
}

Level levelOf(int width, int height, int playerX = 7, int playerY = 7)
{
    Level level;
    levelops::replaceGrid(level, static_cast<qint16>(width), static_cast<qint16>(height));
    levelops::movePlayer(level, static_cast<qint16>(playerX), static_cast<qint16>(playerY));
    return level;
}

void place(Level& level, int layer, int x, int y, int kind)
{
    QVERIFY(levelops::appendEntity(level, {static_cast<qint16>(layer), static_cast<qint16>(x), static_cast<qint16>(y), static_cast<qint16>(kind)}));
}

QPoint corner(int x, int y) { return QPoint(8 + 31 * x, 8 + 31 * y); }

int hatchPixelsIn(const QImage& image, const QRect& r)
{
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += image.pixel(x, y) == maprenderer::hatchColour;
    return count;
}

// A 64-pixel-high sheet whose every pixel tells where it lies, as PNG bytes:
// Qt cannot write GIF, but the reader finds a PNG by its content.
QByteArray coordinateSheet(int width)
{
    QImage sheet(width, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < width; ++x)
            sheet.setPixel(x, y, qRgb(x, y, 7));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    sheet.save(&buffer, "PNG");
    return bytes;
}

// Loads a game of 30 tile kinds and one entity kind whose `file` holds
// `contents` (none: the file is missing).
QString loadGame(EditorPictures& pictures, const QByteArray& sheet, const QString& file = {}, const QByteArray& contents = {})
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char* name : {"player.bmp", "box_and.bmp", "box_or.bmp"})
        solid(0xFF808080).save(folder.filePath(name), "BMP");
    for (const auto& [name, bytes] : {std::pair{QString("tiles.gif"), sheet}, std::pair{file, contents}}) {
        QFile f(folder.filePath(name));
        f.remove();
        if (!bytes.isEmpty() && f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    Catalogue c;
    c.tileDefLast = 29;
    c.tileDefs.resize(30);
    c.entityDefLast = 0;
    c.entityDefs = {{"box", "box_and.bmp", "box_or.bmp", "", ""}};
    return loadEditorPictures(dir.path(), c, pictures);
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

    void badFilesNameTheFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents"); // empty: the file is missing
        QTest::addColumn<QString>("message");
        QTest::newRow("no player") << "player.bmp" << QByteArray() << "The picture file \"player.bmp\" is missing.";
        QTest::newRow("broken sheet") << "tiles.gif" << QByteArray("GIF89a garbage") << "The picture file \"tiles.gif\" cannot be read: ";
        QTest::newRow("no second picture") << "box_or.bmp" << QByteArray() << "The picture file \"box_or.bmp\" is missing.";
        QTest::newRow("16 pixels wide") << "tiles.gif" << coordinateSheet(16)
                                        << "The tile sheet \"tiles.gif\" is 16 pixels wide; it must be wider than 16 pixels.";
    }

    void badFilesNameTheFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        EditorPictures pictures;
        const QString error = loadGame(pictures, coordinateSheet(128), file, contents);
        QVERIFY2(error.startsWith(message), qPrintable(error));
        QVERIFY(pictures.tiles.empty());
    }

    void cellsGapsAndLayering()
    {
        Level level = levelOf(3, 3);
        level.levelTiles(0, 2, 1) = 1;
        place(level, 0, 1, 1, 0);
        place(level, 0, 1, 1, 1);
        place(level, 0, 2, 2, 0);
        const QImage image = maprenderer::renderLevel(testPictures(), level, 0);
        QCOMPARE(image.size(), QSize(109, 109)); // 465 * 3 + 240 twips
        QCOMPARE(image.pixel(corner(2, 1)), wallColour);
        QCOMPARE(image.pixel(corner(2, 1) + QPoint(27, 27)), wallColour);
        QCOMPARE(image.pixel(corner(0, 1)), floorColour);
        for (QPoint gap : {QPoint(28, 5), QPoint(29, 5), QPoint(30, 5), QPoint(5, 30), QPoint(-1, -1)})
            QCOMPARE(image.pixel(corner(0, 1) + gap), maprenderer::backgroundColour);
        QCOMPARE(image.pixel(108, 108), maprenderer::backgroundColour);
        QCOMPARE(image.pixel(corner(2, 2)), floorAndEntity0);
        // then AND 00FF00, OR 010000 -> 010F00; the other order would give 010F40.
        QCOMPARE(image.pixel(corner(1, 1)), 0xFF010F00u);
    }

    void bitwiseCombinationsMatchThePaintersRasterOps()
    {
        // Patterned pictures larger than a cell, overlapping their neighbours,
        // crossing from one band of the drawing to the next, some off the grid.
        EditorPictures pictures = testPictures();
        QImage andPicture = solid(0, 40);
        QImage orPicture = solid(0, 40);
        for (int i = 0; i < 40 * 40; ++i) {
            andPicture.setPixel(i % 40, i / 40, qRgb(i * 6, 255 - i / 8, i * 7));
            orPicture.setPixel(i % 40, i / 40, qRgb(i & 0x0F, i & 0x30, i & 0x41));
        }
        pictures.entityAnd = {andPicture};
        pictures.entityOr = {orPicture};
        Level level = levelOf(6, 7, 6, 0); // the player just right of the grid
        QImage expected = maprenderer::renderLevel(pictures, level, 0);
        QPainter painter(&expected);
        for (QPoint c : QList<QPoint>{{3, 3}, {0, 0}, {1, 1}, {2, 3}, {2, 4}, {5, 6}, {-1, 2}, {500, -300}}) {
            place(level, 0, c.x(), c.y(), 0);
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            painter.drawImage(corner(c.x(), c.y()), andPicture);
            painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            painter.drawImage(corner(c.x(), c.y()), orPicture);
        }
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(corner(6, 0), pictures.player);
        painter.end();
        place(level, 9, 0, 0, 0);  // no such layer
        place(level, 0, 1, 1, 40); // no such kind
        QCOMPARE(maprenderer::renderLevel(pictures, level, 0), expected);
    }

    void eachView_data()
    {
        QTest::addColumn<int>("view");
        for (int view = 0; view <= 4; ++view)
            QTest::addRow("view %d", view) << view;
    }

    void eachView()
    {
        QFETCH(int, view);
        const EditorPictures pictures = testPictures();
        Level level = levelOf(5, 4, 1, 1);
        level.levelTiles(3, 2, 1) = 1; // a tile of the bottom-left screen
        place(level, 0, 0, 0, 0);
        place(level, 3, 1, 1, 0);
        place(level, 1, 3, 2, 0);
        QImage image = maprenderer::renderLevel(pictures, level, view);
        const int hatch = hatchPixelsIn(image, image.rect());
        QCOMPARE(hatch > 0, view > 0);
        QCOMPARE(hatchPixelsIn(image, QRect(8, 8, 5 * 31, 4 * 31)), hatch);
        // A plain cell is hatched over its tile; a corner screen's own tile is not.
        QCOMPARE(hatchPixelsIn(image, QRect(corner(1, 0), QSize(28, 28))) > 0, view > 0);
        QCOMPARE(hatchPixelsIn(image, QRect(corner(2, 1), QSize(28, 28))) == 0, view == 0 || view == 3);
        QCOMPARE(image.pixel(corner(2, 1) + QPoint(5, 9)), view == 3 ? wallColour : floorColour);
        // The main level's entity stays; another screen's shows only on its own view.
        QCOMPARE(image.pixel(corner(0, 0) + QPoint(20, 3)), floorAndEntity0);
        QCOMPARE(image.pixel(corner(1, 1) + QPoint(20, 3)) == floorAndEntity0, view == 3);
        QCOMPARE(image.pixel(corner(3, 2) + QPoint(20, 3)) == floorAndEntity0, view == 1);
        // The player comes last: 800F40 AND 0000FF; drawn before the entity it would give 000F40.
        QCOMPARE(image.pixel(corner(1, 1) + QPoint(5, 9)), 0xFF000040u);

        // Cells edited and redrawn alone line up with the whole drawing, hatch and all.
        level.levelTiles(0, 1, 1) = 1;
        level.levelTiles(view, 3, 3) = 1;
        place(level, view, 4, 0, 1);
        for (const QPoint c : {QPoint(1, 1), QPoint(3, 3), QPoint(4, 0)})
            QVERIFY(maprenderer::drawCell(image, pictures, level, view, c.x(), c.y()).contains(QRect(corner(c.x(), c.y()), QSize(28, 28))));
        QCOMPARE(image, maprenderer::renderLevel(pictures, level, view));
        for (int i = 0; i < 5 * 4; ++i)
            maprenderer::drawCell(image, pictures, level, view, i % 5, i / 5);
        QCOMPARE(image, maprenderer::renderLevel(pictures, level, view));
        // An old player start outside the grid has nothing to redraw.
        QCOMPARE(maprenderer::drawCell(image, pictures, level, view, 5, 0), QRect());
        QCOMPARE(maprenderer::drawCell(image, pictures, level, view, -1, 0), QRect());
    }
};

QTEST_MAIN(tst_mapdrawing)
#include "tst_mapdrawing.moc"
