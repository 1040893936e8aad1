#include "resize/ResizeOperation.h"
#include "resize/ResizePictures.h"

#include <QColor>
#include <QPainter>
#include <QTest>

Q_DECLARE_METATYPE(resizeop::Outcome)

namespace {

// Every cell of the 8 by 8 test level holds a value that tells where it was.
qint16 origin(int layer, int x, int y)
{
    return static_cast<qint16>(layer * 100 + y * 10 + x);
}

struct Placed
{
    Entity entity;
    QString data;
};

const QList<Placed> placed = {
    {{0, 2, 3, 1}, "a"},
    {{3, 7, 0, 2}, "b"},
    {{1, 1, 7, 0}, "c"},
    {{4, 5, 5, 3}, "d"},
    {{2, 0, 0, 4}, "e"},
};

Level testLevel()
{
    Level level;
    levelops::makeNewLevel(level);
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                level.levelTiles(layer, x, y) = origin(layer, x, y);
    for (const Placed& p : placed)
        levelops::appendEntity(level, p.entity, p.data);
    level.playerX = 7;
    level.playerY = 7;
    level.playerData = "left";
    return level;
}

// The entities as "data:x,y", in slot order.
QStringList survivors(const Level& level)
{
    QStringList result;
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& e = level.entities[size_t(slot)];
        result.append(QStringLiteral("%1:%2,%3").arg(level.entityData[size_t(slot)]).arg(e.x).arg(e.y));
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
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QStringList>("entities");

        QTest::newRow("grow top left") << 0 << 9 << 9 << 1 << 1 << QStringList{"a:3,4", "b:8,1", "c:2,8", "d:6,6", "e:1,1"};
        QTest::newRow("grow top right") << 1 << 10 << 9 << 0 << 1 << QStringList{"a:2,4", "b:7,1", "c:1,8", "d:5,6", "e:0,1"};
        QTest::newRow("grow bottom left") << 2 << 10 << 11 << 2 << 0 << QStringList{"a:4,3", "b:9,0", "c:3,7", "d:7,5", "e:2,0"};
        QTest::newRow("grow bottom right") << 3 << 9 << 9 << 0 << 0 << QStringList{"a:2,3", "b:7,0", "c:1,7", "d:5,5", "e:0,0"};
        QTest::newRow("shrink top left") << 0 << 6 << 5 << -2 << -3 << QStringList{"a:0,0", "d:3,2"};
        QTest::newRow("shrink top right") << 1 << 6 << 5 << 0 << -3 << QStringList{"a:2,0", "c:1,4", "d:5,2"};
        QTest::newRow("shrink bottom left") << 2 << 6 << 8 << -2 << 0 << QStringList{"a:0,3", "b:5,0", "d:3,5"};
        QTest::newRow("shrink bottom right") << 3 << 6 << 8 << 0 << 0 << QStringList{"a:2,3", "c:1,7", "d:5,5", "e:0,0"};
        QTest::newRow("wider, shorter at top left") << 0 << 10 << 6 << 2 << -2 << QStringList{"a:4,1", "c:3,5", "d:7,3"};
        QTest::newRow("narrower, taller at top right") << 1 << 3 << 10 << 0 << 2 << QStringList{"a:2,5", "c:1,9", "e:0,2"};
        QTest::newRow("same size") << 0 << 8 << 8 << 0 << 0 << QStringList{"a:2,3", "b:7,0", "c:1,7", "d:5,5", "e:0,0"};
        QTest::newRow("down to one cell") << 3 << 1 << 1 << 0 << 0 << QStringList{"e:0,0"};
        QTest::newRow("every entity dropped") << 0 << 1 << 1 << -7 << -7 << QStringList{};
        QTest::newRow("up to the largest") << 0 << 70 << 70 << 62 << 62 << QStringList{"a:64,65", "b:69,62", "c:63,69", "d:67,67", "e:62,62"};
    }

    void resizeAtEachCorner()
    {
        QFETCH(int, corner);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(QStringList, entities);

        Level level = testLevel();
        QCOMPARE(resizeop::resizeLevel(level, QString::number(width), QString::number(height), corner), resizeop::Outcome::Applied);

        QCOMPARE(level.levelWidth, qint16(width));
        QCOMPARE(level.levelHeight, qint16(height));
        QCOMPARE(level.levelTiles.width(), width);
        QCOMPARE(level.levelTiles.height(), height);
        for (int layer = 0; layer < TileGrid::layerCount; ++layer) {
            for (int x = 0; x < width; ++x) {
                for (int y = 0; y < height; ++y) {
                    const int sx = x - dx;
                    const int sy = y - dy;
                    const bool kept = sx >= 0 && sy >= 0 && sx < 8 && sy < 8;
                    const qint16 expected = kept ? origin(layer, sx, sy) : TileGrid::emptyValue(layer);
                    if (level.levelTiles(layer, x, y) != expected)
                        QFAIL(qPrintable(QStringLiteral("layer %1 cell %2,%3 holds %4, not %5")
                                             .arg(layer).arg(x).arg(y).arg(level.levelTiles(layer, x, y)).arg(expected)));
                }
            }
        }

        QCOMPARE(survivors(level), entities);
        QCOMPARE(level.entityCount, qint16(entities.size()));
        QCOMPARE(level.entities.size(), size_t(entities.size()));
        QCOMPARE(level.entityData.size(), size_t(entities.size()));
        // Layer and kind go with the entity wherever it ends up.
        for (int slot = 0; slot < level.entityCount; ++slot) {
            for (const Placed& p : placed) {
                if (p.data == level.entityData[size_t(slot)]) {
                    QCOMPARE(level.entities[size_t(slot)].layer, p.entity.layer);
                    QCOMPARE(level.entities[size_t(slot)].kind, p.entity.kind);
                }
            }
        }

        // The player start stays where it was, even outside the new grid.
        QCOMPARE(level.playerX, qint16(7));
        QCOMPARE(level.playerY, qint16(7));
        QCOMPARE(level.playerData, QString("left"));
        QVERIFY(level.levelChanged);
    }

    void refusedInputChangesNothing_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("wasChanged");
        QTest::addColumn<resizeop::Outcome>("outcome");

        using O = resizeop::Outcome;
        QTest::newRow("zero width") << "0" << "8" << false << O::Invalid;
        QTest::newRow("negative height") << "8" << "-3" << true << O::Invalid;
        QTest::newRow("empty width") << "" << "8" << false << O::Invalid;
        QTest::newRow("blank height") << "8" << "   " << false << O::Invalid;
        QTest::newRow("letters") << "abc" << "8" << true << O::Invalid;
        QTest::newRow("beyond 16 bits") << "40000" << "8" << false << O::Invalid;
        QTest::newRow("rounds to zero") << "0.5" << "8" << false << O::Invalid;
        QTest::newRow("both bad") << "x" << "0" << false << O::Invalid;
        QTest::newRow("too wide") << "71" << "8" << false << O::TooLarge;
        QTest::newRow("too high") << "8" << "32767" << true << O::TooLarge;
        QTest::newRow("rounds above 70") << "70.6" << "8" << false << O::TooLarge;
        QTest::newRow("too wide and zero high") << "100" << "0" << false << O::Invalid;
    }

    void refusedInputChangesNothing()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, wasChanged);
        QFETCH(resizeop::Outcome, outcome);

        for (int corner = 0; corner < 4; ++corner) {
            Level level = testLevel();
            level.levelChanged = wasChanged;
            const Level before = level;
            QCOMPARE(resizeop::resizeLevel(level, width, height, corner), outcome);
            QVERIFY(level == before);
        }
    }

    void typedNumbersAreRounded_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("size");
        QTest::newRow("half down to even") << "6.5" << 6;
        QTest::newRow("half up to even") << "7.5" << 8;
        QTest::newRow("blanks around") << "  9 " << 9;
        QTest::newRow("largest after rounding") << "70.5" << 70;
        QTest::newRow("exponent") << "1e1" << 10;
        QTest::newRow("one after rounding") << "1.49" << 1;
    }

    void typedNumbersAreRounded()
    {
        QFETCH(QString, typed);
        QFETCH(int, size);
        Level level = testLevel();
        QCOMPARE(resizeop::resizeLevel(level, typed, typed, 3), resizeop::Outcome::Applied);
        QCOMPARE(level.levelWidth, qint16(size));
        QCOMPARE(level.levelHeight, qint16(size));
    }

    void pressingTwiceChangesTheGridOnce()
    {
        Level level = testLevel();
        QCOMPARE(resizeop::resizeLevel(level, u"9", u"10", 0), resizeop::Outcome::Applied);
        Level once = level;
        level.levelChanged = false;
        QCOMPARE(resizeop::resizeLevel(level, u"9", u"10", 0), resizeop::Outcome::Applied);
        QVERIFY(level.levelChanged);
        QVERIFY(level == once);
        QCOMPARE(level.levelTiles(0, 1, 2), origin(0, 0, 0));
    }

    void pictureRow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("row");
        QTest::newRow("wider and taller") << 9 << 9 << 0;
        QTest::newRow("taller") << 8 << 12 << 1;
        QTest::newRow("narrower and taller") << 7 << 9 << 2;
        QTest::newRow("wider") << 10 << 8 << 3;
        QTest::newRow("unchanged") << 8 << 8 << 4;
        QTest::newRow("narrower") << 5 << 8 << 5;
        QTest::newRow("wider and shorter") << 70 << 7 << 6;
        QTest::newRow("shorter") << 8 << 1 << 7;
        QTest::newRow("narrower and shorter") << 1 << 1 << 8;
    }

    void pictureRow()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, row);
        const Level level = testLevel();
        QCOMPARE(resizeop::pictureRow(level, qint16(width), qint16(height)), row);
    }

    void typedSizeValidity_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "8" << "8" << true << true;
        QTest::newRow("zero") << "0" << "8" << true << false;
        QTest::newRow("negative") << "8" << "-1" << true << false;
        QTest::newRow("empty") << "" << "8" << false << false;
        QTest::newRow("letter") << "8" << "x" << false << false;
        QTest::newRow("out of range") << "-40000" << "8" << false << false;
        QTest::newRow("large but a number") << "500" << "8" << true << true;
    }

    void typedSizeValidity()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, number);
        QFETCH(bool, valid);
        const resizeop::TypedSize typed = resizeop::readTypedSize(width, height);
        QCOMPARE(typed.isNumber(), number);
        QCOMPARE(typed.isValid(), valid);
    }

    void invalidInputMessage()
    {
        QCOMPARE(resizeop::invalidInputMessage(),
            QString("On1y pu7 p0sit1f numb3r5 in teh box0rz plx\r\n\r\n                      kthxbye"));
        QVERIFY(resizeop::tooLargeMessage().contains("70"));
    }

    void cutSheetTakesTheTopLeftOfEachBlock()
    {
        // Each block gets a colour of its own and a black frame of 4 pixels
        // at its right and bottom, which the cut leaves out.
        QImage sheet(256, 576, QImage::Format_RGB32);
        sheet.fill(Qt::black);
        QPainter painter(&sheet);
        for (int r = 0; r < 9; ++r)
            for (int i = 0; i < 4; ++i)
                painter.fillRect(64 * i, 64 * r, 60, 60, QColor(60 * i, 25 * r, 7));
        painter.end();

        const std::vector<QImage> pictures = resizepictures::cutSheet(sheet);
        QCOMPARE(pictures.size(), size_t(36));
        for (int r = 0; r < 9; ++r) {
            for (int i = 0; i < 4; ++i) {
                const QImage& picture = pictures[size_t(4 * r + i)];
                QCOMPARE(picture.size(), QSize(60, 60));
                for (QPoint p : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 59), QPoint(59, 59)})
                    QCOMPARE(picture.pixel(p), qRgb(60 * i, 25 * r, 7));
            }
        }
    }

    void cutSheetFillsWhiteBeyondASmallSheet()
    {
        QImage sheet(100, 70, QImage::Format_RGB32);
        sheet.fill(QColor(10, 20, 30));
        const std::vector<QImage> pictures = resizepictures::cutSheet(sheet);
        QCOMPARE(pictures.size(), size_t(36));
        QCOMPARE(pictures[0].pixel(59, 59), qRgb(10, 20, 30));
        QCOMPARE(pictures[1].pixel(35, 5), qRgb(10, 20, 30));
        QCOMPARE(pictures[1].pixel(36, 5), qRgb(255, 255, 255));
        QCOMPARE(pictures[4].pixel(5, 5), qRgb(10, 20, 30));
        QCOMPARE(pictures[4].pixel(5, 6), qRgb(255, 255, 255));
        QCOMPARE(pictures[35].pixel(0, 0), qRgb(255, 255, 255));
    }

    void onlyExactMagentaIsTransparent()
    {
        QImage picture(3, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(255, 0, 255));
        picture.setPixel(1, 0, qRgb(254, 0, 255));
        picture.setPixel(2, 0, qRgb(0, 0, 0));
        const QImage shown = resizepictures::withMagentaTransparent(picture);
        QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
        QCOMPARE(shown.pixel(1, 0), qRgb(254, 0, 255));
        QCOMPARE(shown.pixel(2, 0), qRgb(0, 0, 0));
    }
};

QTEST_GUILESS_MAIN(tst_resizeop)
#include "tst_resizeop.moc"
