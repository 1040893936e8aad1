#include "resize/ResizeOperation.h"
#include "resize/ResizePictures.h"

#include <QPainter>
#include <QTest>

namespace {

// Every cell of the 8 by 8 test level holds a value that tells where it was.
qint16 origin(int layer, int x, int y)
{
    return static_cast<qint16>(layer * 100 + y * 10 + x);
}

// Entities a to e with their layer and kind; the player start at (7, 7).
Level testLevel()
{
    Level level;
    levelops::makeNewLevel(level);
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                level.levelTiles(layer, x, y) = origin(layer, x, y);
    const QList<Entity> placed{{0, 2, 3, 1}, {3, 7, 0, 2}, {1, 1, 7, 0}, {4, 5, 5, 3}, {2, 0, 0, 4}};
    for (int i = 0; i < placed.size(); ++i)
        levelops::appendEntity(level, placed[i], QString(QChar(u'a' + i)));
    levelops::movePlayer(level, 7, 7);
    return level;
}

// The entities in slot order as "data:x,y/layer/kind".
QStringList entityTexts(const Level& level)
{
    QStringList result;
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[size_t(slot)];
        result.append(QStringLiteral("%1:%2,%3/%4/%5").arg(level.entityData[size_t(slot)]).arg(e.x).arg(e.y).arg(e.layer).arg(e.kind));
    }
    return result;
}

} // namespace

class tst_resizeop : public QObject
{
    Q_OBJECT
private slots:
    void resizeAtEachCorner_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<QStringList>("entities");
        QTest::addColumn<QSize>("size");

        QTest::newRow("grow top left") << 0 << "9" << "9" << QPoint(1, 1)
                                       << QStringList{"a:3,4/0/1", "b:8,1/3/2", "c:2,8/1/0", "d:6,6/4/3", "e:1,1/2/4"} << QSize(9, 9);
        QTest::newRow("grow top right") << 1 << "10" << "9" << QPoint(0, 1)
                                        << QStringList{"a:2,4/0/1", "b:7,1/3/2", "c:1,8/1/0", "d:5,6/4/3", "e:0,1/2/4"} << QSize(10, 9);
        QTest::newRow("grow bottom left") << 2 << "10" << "11" << QPoint(2, 0)
                                          << QStringList{"a:4,3/0/1", "b:9,0/3/2", "c:3,7/1/0", "d:7,5/4/3", "e:2,0/2/4"} << QSize(10, 11);
        QTest::newRow("grow bottom right, a half to even") << 3 << "8.5" << " 9 " << QPoint(0, 0)
                                                           << QStringList{"a:2,3/0/1", "b:7,0/3/2", "c:1,7/1/0", "d:5,5/4/3", "e:0,0/2/4"} << QSize(8, 9);
        QTest::newRow("shrink top left") << 0 << "6" << "5" << QPoint(-2, -3) << QStringList{"a:0,0/0/1", "d:3,2/4/3"} << QSize(6, 5);
        QTest::newRow("shrink top right") << 1 << "6" << "5" << QPoint(0, -3) << QStringList{"a:2,0/0/1", "c:1,4/1/0", "d:5,2/4/3"} << QSize(6, 5);
        QTest::newRow("shrink bottom left") << 2 << "6" << "8" << QPoint(-2, 0) << QStringList{"a:0,3/0/1", "b:5,0/3/2", "d:3,5/4/3"} << QSize(6, 8);
        QTest::newRow("shrink bottom right, a half to even") << 3 << "6.5" << "8" << QPoint(0, 0)
                                                             << QStringList{"a:2,3/0/1", "c:1,7/1/0", "d:5,5/4/3", "e:0,0/2/4"} << QSize(6, 8);
        QTest::newRow("wider and shorter at top left") << 0 << "10" << "6" << QPoint(2, -2) << QStringList{"a:4,1/0/1", "c:3,5/1/0", "d:7,3/4/3"} << QSize(10, 6);
        QTest::newRow("every entity dropped") << 0 << "1" << "1" << QPoint(-7, -7) << QStringList{} << QSize(1, 1);
        QTest::newRow("up to the largest") << 0 << "70" << "70.5" << QPoint(62, 62)
                                           << QStringList{"a:64,65/0/1", "b:69,62/3/2", "c:63,69/1/0", "d:67,67/4/3", "e:62,62/2/4"} << QSize(70, 70);
    }

    void resizeAtEachCorner()
    {
        QFETCH(int, corner);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QPoint, shift);
        QFETCH(QStringList, entities);

        Level level = testLevel();
        QCOMPARE(resizeop::resizeLevel(level, width, height, corner), resizeop::Outcome::Applied);
        const int w = level.levelWidth;
        const int h = level.levelHeight;
        QTEST(QSize(w, h), "size");
        QCOMPARE(level.levelTiles.width(), w);
        QCOMPARE(level.levelTiles.height(), h);
        for (int layer = 0; layer < TileGrid::layerCount; ++layer) {
            for (int x = 0; x < w; ++x) {
                for (int y = 0; y < h; ++y) {
                    const QPoint from = QPoint(x, y) - shift;
                    const bool kept = from.x() >= 0 && from.y() >= 0 && from.x() < 8 && from.y() < 8;
                    if (level.levelTiles(layer, x, y) != (kept ? origin(layer, from.x(), from.y()) : TileGrid::emptyValue(layer)))
                        QFAIL(qPrintable(QStringLiteral("layer %1 cell %2,%3").arg(layer).arg(x).arg(y)));
                }
            }
        }
        QCOMPARE(entityTexts(level), entities);
        QCOMPARE(level.entityCount, qint16(entities.size()));
        QCOMPARE(level.entityData.size(), size_t(entities.size()));
        QCOMPARE(level.playerX, qint16(7));
        QCOMPARE(level.playerY, qint16(7));
        QVERIFY(level.levelChanged);

        // A second press finds the size already equal: nothing moves again.
        const Level once = level;
        level.levelChanged = false;
        QCOMPARE(resizeop::resizeLevel(level, width, height, corner), resizeop::Outcome::Applied);
        QVERIFY(level == once);
    }

    void cutSheet()
    {
        // Each block has a colour of its own and a black frame of 4 pixels at
        // its right and bottom, which the cut leaves out. The sheet lacks its
        // last row, which comes out white.
        QImage sheet(256, 512, QImage::Format_RGB32);
        sheet.fill(Qt::black);
        QPainter painter(&sheet);
        for (int r = 0; r < 8; ++r)
            for (int i = 0; i < 4; ++i)
                painter.fillRect(64 * i, 64 * r, 60, 60, QColor(60 * i, 25 * r, 7));
        painter.end();

        const std::vector<QImage> pictures = resizepictures::cutSheet(sheet);
        QCOMPARE(pictures.size(), size_t(36));
        for (int n = 0; n < 36; ++n) {
            const QRgb expected = n < 32 ? qRgb(60 * (n % 4), 25 * (n / 4), 7) : qRgb(255, 255, 255);
            QCOMPARE(pictures[size_t(n)].size(), QSize(60, 60));
            for (QPoint p : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 59), QPoint(59, 59)})
                QCOMPARE(pictures[size_t(n)].pixel(p), expected);
        }
    }

    void onlyExactMagentaIsTransparent()
    {
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(255, 0, 255));
        picture.setPixel(1, 0, qRgb(254, 0, 255));
        const QImage shown = resizepictures::withMagentaTransparent(picture);
        QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
        QCOMPARE(shown.pixel(1, 0), qRgb(254, 0, 255));
    }
};

QTEST_GUILESS_MAIN(tst_resizeop)
#include "tst_resizeop.moc"
