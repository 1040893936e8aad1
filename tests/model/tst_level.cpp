#include "common/TestLevels.h"
#include "model/Level.h"

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

    void appendRefusesThe32768th()
    {
        Level level;
        for (int i = 0; i < Level::maxEntities; ++i)
            QVERIFY(levelops::appendEntity(level, {0, 1, 1, 0}));
        QCOMPARE(level.entityCount, qint16(32767));
        QVERIFY(!levelops::appendEntity(level, {0, 2, 2, 0}, "x"));
        QCOMPARE(level.entityCount, qint16(32767));
        QCOMPARE(level.entities.size(), size_t(32767));
    }

    void moveAndDrop()
    {
        // Shrinking an 8 by 8 level to 6 wide at the left: everything moves two
        // columns left and what falls off is dropped, the rest keeps its order.
        Level level = levelWith({{0, 1, 3, 0}, {2, 5, 3, 1}, {4, 7, 0, 2}, {1, 2, 7, 3}});
        levelops::moveAndDropEntities(level, -2, 0, 6, 8);
        QCOMPARE(level.entityCount, qint16(3));
        QCOMPARE(level.entities[0], (Entity{2, 3, 3, 1}));
        QCOMPARE(level.entities[1], (Entity{4, 5, 0, 2}));
        QCOMPARE(level.entities[2], (Entity{1, 0, 7, 3}));
        QCOMPARE(level.entityData, (std::vector<QString>{"data 1", "data 2", "data 3"}));

        levelops::moveAndDropEntities(level, 0, -8, 6, 8);
        QCOMPARE(level.entityCount, qint16(0));
    }
};

QTEST_APPLESS_MAIN(tst_level)
#include "tst_level.moc"
