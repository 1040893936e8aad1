#include "common/TestLevels.h"
#include "model/Level.h"
#include "resize/ResizeOperation.h"

#include <QTest>

namespace {

Level levelWith(const QList<Entity>& entities)
{
    Level level;
    levelops::makeNewLevel(level);
    int n = 0;
    for (const Entity& e : entities)
        place(level, e, QStringLiteral("data %1").arg(n++));
    return level;
}

} // namespace

class tst_level : public QObject
{
    Q_OBJECT
private slots:
    void newLevel()
    {
        Level level = levelWith({{0, 1, 1, 0}});
        level.levelChanged = true;
        level.playerX = 5;
        level.playerData = "left";
        levelops::replaceGrid(level, 3, 2);
        level.levelTiles(0, 2, 1) = 4;

        levelops::makeNewLevel(level);
        QCOMPARE(level.levelWidth, qint16(8));
        QCOMPARE(level.levelHeight, qint16(8));
        QCOMPARE(level.entityCount, qint16(0));
        QCOMPARE(level.playerX, qint16(0));
        QCOMPARE(level.playerY, qint16(0));
        QCOMPARE(level.playerData, QString("right"));
        QVERIFY(!level.levelChanged);
        for (int layer = 0; layer < TileGrid::layerCount; ++layer)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    QCOMPARE(level.levelTiles(layer, x, y), qint16(layer == 0 ? 0 : -1));
    }

    void removeEntity_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QList<int>>("remaining"); // x of the survivors, in order
        QTest::newRow("the only one") << 1 << 0 << QList<int>{};
        QTest::newRow("second of three") << 3 << 1 << QList<int>{0, 2};
        QTest::newRow("first of three") << 3 << 0 << QList<int>{1, 2};
        QTest::newRow("last of three") << 3 << 2 << QList<int>{0, 1};
    }

    void removeEntity()
    {
        QFETCH(int, count);
        QFETCH(int, slot);
        QFETCH(QList<int>, remaining);
        QList<Entity> entities;
        for (int i = 0; i < count; ++i)
            entities.append({qint16(i % 5), qint16(i), 0, qint16(i)});
        Level level = levelWith(entities);
        levelops::removeEntity(level, slot);
        QCOMPARE(int(level.entityCount), remaining.size());
        for (int i = 0; i < remaining.size(); ++i) {
            const Entity& e = level.entities[size_t(i)];
            QCOMPARE(int(e.x), remaining[i]);
            QCOMPARE(int(e.kind), remaining[i]);
            QCOMPARE(int(e.layer), remaining[i] % 5);
            QCOMPARE(level.entityData[size_t(i)], QStringLiteral("data %1").arg(remaining[i]));
        }
    }

    // Shrinking by one column and one row at each corner: an entity exactly on
    // an edge that goes is dropped, one exactly on the edge that stays is kept.
    void shrinkAtEachCorner_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QStringList>("kept"); // of a(0,3) b(1,3) c(6,3) d(7,3) e(3,0) f(3,1) g(3,6) h(3,7)
        QTest::newRow("top left") << 0 << QStringList{"b0,2", "c5,2", "d6,2", "f2,0", "g2,5", "h2,6"};
        QTest::newRow("top right") << 1 << QStringList{"a0,2", "b1,2", "c6,2", "f3,0", "g3,5", "h3,6"};
        QTest::newRow("bottom left") << 2 << QStringList{"b0,3", "c5,3", "d6,3", "e2,0", "f2,1", "g2,6"};
        QTest::newRow("bottom right") << 3 << QStringList{"a0,3", "b1,3", "c6,3", "e3,0", "f3,1", "g3,6"};
    }

    void shrinkAtEachCorner()
    {
        QFETCH(int, corner);
        Level level;
        levelops::makeNewLevel(level);
        const QList<QPoint> cells{{0, 3}, {1, 3}, {6, 3}, {7, 3}, {3, 0}, {3, 1}, {3, 6}, {3, 7}};
        for (qsizetype i = 0; i < cells.size(); ++i)
            place(level, {0, qint16(cells[i].x()), qint16(cells[i].y()), 0}, QString(QChar(char16_t(u'a' + i))));
        QCOMPARE(resizeop::resizeLevel(level, u"7", u"7", corner), resizeop::Outcome::Applied);
        QStringList kept;
        for (int slot = 0; slot < level.entityCount; ++slot)
            kept << QStringLiteral("%1%2,%3")
                        .arg(level.entityData[size_t(slot)])
                        .arg(level.entities[size_t(slot)].x)
                        .arg(level.entities[size_t(slot)].y);
        QTEST(kept, "kept");
    }
};

QTEST_APPLESS_MAIN(tst_level)
#include "tst_level.moc"
