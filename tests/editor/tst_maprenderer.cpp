#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "model/Level.h"

#include <QPainter>
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

EditorPictures testPictures()
{
    EditorPictures p;
    p.tiles = {solid(floorColour), solid(wallColour)};
    // Entity 0 keeps red and blue, then adds 0x0F to green;
    // entity 1 keeps green only, then adds 0x01 to red.
    p.entityAnd = {solid(0xFFFF00FF), solid(0xFF00FF00)};
    p.entityOr = {solid(0xFF000F00), solid(0xFF010000)};
    // The player keeps blue only, in its top-left 10 pixels.
    QImage player = solid(0xFFFFFFFF);
    QPainter(&player).fillRect(0, 0, 10, 10, QColor(0, 0, 255));
    p.player = player;
    return p;
}

Level levelOf(int width, int height)
{
    Level level;
    levelops::replaceGrid(level, static_cast<qint16>(width), static_cast<qint16>(height));
    levelops::movePlayer(level, 7, 7);
    return level;
}

QPoint corner(int x, int y)
{
    return QPoint(8 + 31 * x, 8 + 31 * y);
}

int hatchPixelsIn(const QImage& image, const QRect& r)
{
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += image.pixel(x, y) == maprenderer::hatchColour;
    return count;
}

} // namespace

class tst_maprenderer : public QObject
{
    Q_OBJECT
private slots:
    void tilesStandInTheirCellsWithGapsOfBackground()
    {
        Level level = levelOf(3, 3);
        level.levelTiles(0, 2, 1) = 1;
        const QImage image = maprenderer::renderLevel(testPictures(), level, 0);
        QCOMPARE(image.size(), QSize(109, 109)); // 465 * 3 + 240 twips
        QCOMPARE(image.pixel(corner(2, 1)), wallColour);
        QCOMPARE(image.pixel(corner(2, 1) + QPoint(27, 27)), wallColour);
        QCOMPARE(image.pixel(corner(1, 1)), floorColour);
        // The 3-pixel gap after a tile and the margins show the background.
        for (int dx : {28, 29, 30})
            QCOMPARE(image.pixel(corner(1, 1) + QPoint(dx, 5)), maprenderer::backgroundColour);
        QCOMPARE(image.pixel(7, 7), maprenderer::backgroundColour);
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), maprenderer::backgroundColour);
    }

    void entitiesAreAndThenOrInSlotOrder()
    {
        Level level = levelOf(3, 3);
        QVERIFY(levelops::appendEntity(level, {0, 1, 1, 0}));
        QVERIFY(levelops::appendEntity(level, {0, 1, 1, 1}));
        QVERIFY(levelops::appendEntity(level, {0, 2, 2, 0}));
        const QImage image = maprenderer::renderLevel(testPictures(), level, 0);
        // floor 806040: AND FF00FF -> 800040, OR 000F00 -> 800F40.
        QCOMPARE(image.pixel(corner(2, 2)), 0xFF800F40u);
        // then AND 00FF00 -> 000F00, OR 010000 -> 010F00; the other order would give 010F40.
        QCOMPARE(image.pixel(corner(1, 1)), 0xFF010F00u);
    }

    void bitwiseCombinationsMatchThePaintersRasterOps()
    {
        // Patterned pictures larger than a cell, overlapping their neighbours,
        // crossing from one band of the drawing to the next, one hanging off the map.
        EditorPictures pictures = testPictures();
        QImage andPicture(40, 40, QImage::Format_RGB32);
        QImage orPicture(40, 40, QImage::Format_RGB32);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                andPicture.setPixel(x, y, qRgb(x * 6, 255 - y * 5, (x * y) & 0xFF));
                orPicture.setPixel(x, y, qRgb((x ^ y) & 0x0F, y & 0x30, x & 0x41));
            }
        pictures.entityAnd = {andPicture};
        pictures.entityOr = {orPicture};
        Level level = levelOf(6, 7);
        levelops::movePlayer(level, 0, 0);
        const QList<QPoint> cells{{3, 3}, {0, 0}, {1, 1}, {2, 3}, {2, 4}, {5, 6}, {-1, 2}};
        for (QPoint c : cells)
            QVERIFY(levelops::appendEntity(level, {0, static_cast<qint16>(c.x()), static_cast<qint16>(c.y()), 0}));

        level.entityCount = 0;
        QImage expected = maprenderer::renderLevel(pictures, level, 0);
        {
            QPainter painter(&expected);
            for (QPoint c : cells) {
                const QPoint at = corner(c.x(), c.y());
                painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
                painter.drawImage(at, andPicture);
                painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
                painter.drawImage(at, orPicture);
            }
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            painter.drawImage(corner(0, 0), pictures.player);
        }
        level.entityCount = static_cast<qint16>(cells.size());
        QCOMPARE(maprenderer::renderLevel(pictures, level, 0), expected);
    }

    void playerIsOneAndDrawnLast()
    {
        Level level = levelOf(3, 3);
        levelops::movePlayer(level, 1, 0);
        level.levelTiles(2, 1, 0) = 1;
        QVERIFY(levelops::appendEntity(level, {2, 1, 0, 0}));
        const QImage image = maprenderer::renderLevel(testPictures(), level, 2);
        // wall 204080, entity -> 200F80, player AND 0000FF -> 000080.
        QCOMPARE(image.pixel(corner(1, 0)), 0xFF000080u);
        QCOMPARE(image.pixel(corner(1, 0) + QPoint(12, 12)), 0xFF200F80u);
    }

    void hatchOnlyOnCornerViewsAndOnlyWhereTheMainLevelShows_data()
    {
        QTest::addColumn<int>("view");
        for (int view = 0; view <= 4; ++view)
            QTest::addRow("view %d", view) << view;
    }

    void hatchOnlyOnCornerViewsAndOnlyWhereTheMainLevelShows()
    {
        QFETCH(int, view);
        Level level = levelOf(4, 3);
        level.levelTiles(3, 2, 1) = 1; // a tile of the bottom-left screen
        QVERIFY(levelops::appendEntity(level, {0, 0, 0, 0}));
        QVERIFY(levelops::appendEntity(level, {3, 1, 1, 0}));
        QVERIFY(levelops::appendEntity(level, {1, 3, 2, 0}));
        const QImage image = maprenderer::renderLevel(testPictures(), level, view);
        const QRect grid(8, 8, 4 * 31, 3 * 31);

        QCOMPARE(hatchPixelsIn(image, image.rect()) > 0, view > 0);
        QCOMPARE(hatchPixelsIn(image, image.rect()) - hatchPixelsIn(image, grid), 0);
        // A plain cell is hatched over its tile; a corner screen's own tile is not.
        QCOMPARE(hatchPixelsIn(image, QRect(corner(1, 0), QSize(28, 28))) > 0, view > 0);
        QCOMPARE(hatchPixelsIn(image, QRect(corner(2, 1), QSize(28, 28))) == 0, view == 0 || view == 3);
        QCOMPARE(image.pixel(corner(2, 1) + QPoint(5, 9)), view == 3 ? wallColour : floorColour);
        // The main level's entity stays; another screen's shows only on its own view.
        QCOMPARE(image.pixel(corner(0, 0) + QPoint(20, 3)), 0xFF800F40u);
        QCOMPARE(image.pixel(corner(1, 1) + QPoint(20, 3)) == 0xFF800F40u, view == 3);
        QCOMPARE(image.pixel(corner(3, 2) + QPoint(20, 3)) == 0xFF800F40u, view == 1);
    }

    void aRedrawnCellMatchesTheWholeDrawing_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("main level") << 0;
        QTest::newRow("top right") << 2;
        QTest::newRow("bottom right") << 4;
    }

    void aRedrawnCellMatchesTheWholeDrawing()
    {
        QFETCH(int, view);
        const EditorPictures pictures = testPictures();
        Level level = levelOf(5, 4);
        levelops::movePlayer(level, 2, 1);
        QImage image = maprenderer::renderLevel(pictures, level, view);

        // Edit some cells, redraw only them: the hatch and everything else line up.
        level.levelTiles(0, 2, 1) = 1;
        level.levelTiles(view, 3, 3) = 1;
        QVERIFY(levelops::appendEntity(level, {static_cast<qint16>(view), 4, 0, 1}));
        for (const QPoint cell : {QPoint(2, 1), QPoint(3, 3), QPoint(4, 0)}) {
            const QRect touched = maprenderer::drawCell(image, pictures, level, view, cell.x(), cell.y());
            QVERIFY(touched.contains(QRect(corner(cell.x(), cell.y()), QSize(28, 28))));
        }
        QCOMPARE(image, maprenderer::renderLevel(pictures, level, view));
        // Every cell redrawn over the whole drawing changes nothing either.
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 4; ++y)
                maprenderer::drawCell(image, pictures, level, view, x, y);
        QCOMPARE(image, maprenderer::renderLevel(pictures, level, view));
    }

    void thingsOutsideTheGridAreCutOff()
    {
        const EditorPictures pictures = testPictures();
        Level level = levelOf(2, 2);
        levelops::movePlayer(level, 2, 0); // just right of the grid, partly on the margin
        QVERIFY(levelops::appendEntity(level, {0, -1, 0, 0}));
        QVERIFY(levelops::appendEntity(level, {0, 500, -300, 1}));
        QVERIFY(levelops::appendEntity(level, {9, 0, 0, 0}));  // no such layer
        QVERIFY(levelops::appendEntity(level, {0, 1, 1, 40})); // no such kind
        QImage image = maprenderer::renderLevel(pictures, level, 1);
        QCOMPARE(image.pixel(corner(2, 0).x(), 8), 0xFF000000u | (maprenderer::backgroundColour & 0xFF)); // player AND on the margin
        QCOMPARE(image.pixel(corner(1, 1) + QPoint(5, 9)), floorColour);
        QCOMPARE(maprenderer::drawCell(image, pictures, level, 1, 2, 0), QRect());
        QCOMPARE(maprenderer::drawCell(image, pictures, level, 1, -1, 0), QRect());
    }
};

QTEST_MAIN(tst_maprenderer)
#include "tst_maprenderer.moc"
